# Writes the main dialog of resources/mescola.rc as a C++ table, so that a
# window without the Win32 dialog manager shows the same controls, with the
# same texts, tab stops and labels, from the one template.
#
#   mescola_dialog_template(<rc file> <output .cpp>)
function(mescola_dialog_template rc output)
  file(STRINGS ${rc} lines)
  set(code_page 1252)
  set(rows "")
  set(macros "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^#define ([A-Z_]+) (.+)$")
      list(APPEND macros ${CMAKE_MATCH_1})
      set(macro_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^#pragma code_page\\(([0-9]+)\\)")
      set(code_page ${CMAKE_MATCH_1})
    elseif(line MATCHES "^IDD_MAIN DIALOG [0-9]+, *[0-9]+, *([0-9]+), *([0-9]+)")
      set(width ${CMAKE_MATCH_1})
      set(height ${CMAKE_MATCH_2})
    elseif(line MATCHES "^CAPTION (\".*\")")
      set(caption ${CMAKE_MATCH_1})
    elseif(line MATCHES "^ *CONTROL (\"[^\"]*\"), *([A-Z_0-9]+), *\"?([A-Za-z_0-9]+)\"?, *([^,]*), *([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+)")
      set(fields "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" "${CMAKE_MATCH_3}" "${CMAKE_MATCH_4}")
      list(GET fields 0 text)
      list(GET fields 1 id)
      list(GET fields 2 class)
      list(GET fields 3 style)
      # A hex escape ends where the literal is split, whatever follows it.
      string(REGEX REPLACE "(\\\\x[0-9A-Fa-f][0-9A-Fa-f])" "\\1\" \"" text "${text}")
      # The style with the script's own style macros written out.
      set(style " ${style} ")
      foreach(macro IN LISTS macros)
        string(REPLACE " ${macro} " " ${macro_${macro}} " style "${style}")
      endforeach()
      string(STRIP "${style}" style)
      string(APPEND rows "    {${text}, ${id}, \"${class}\", \"${style}\"},\n")
    endif()
  endforeach()
  set(content "// Written by the build from ${rc}; edit the template, not this file.
#include \"ui/qt/dialog_template.h\"

#include \"resource.h\"

namespace {
const TemplateControl kControls[] = {
${rows}};
}  // namespace

const DialogTemplate kMainDialog{${caption}, ${width}, ${height}, ${code_page}, kControls,
                                 sizeof kControls / sizeof kControls[0]};
")
  file(CONFIGURE OUTPUT ${output} CONTENT "${content}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc})
endfunction()
