# The Windows program: the WIN32 executable, and the resources (dialog
# template, manifest, version) that it and the tests link, so that the tests
# create the dialog from the same template.
enable_language(RC)

target_sources(mescola_lib INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/resources/mescola.rc)
target_link_libraries(mescola_lib PUBLIC comctl32 comdlg32 gdi32 user32 kernel32)

# The Win32 window: its store over the real dialog, its dialog procedure and
# its message boxes and file dialogs; the program is WinMain over it.
file(GLOB MESCOLA_WIN32_UI_SOURCES CONFIGURE_DEPENDS ui/win32/*.cpp)
list(REMOVE_ITEM MESCOLA_WIN32_UI_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ui/win32/winmain.cpp)
add_library(mescola_win32 STATIC ${MESCOLA_WIN32_UI_SOURCES})
target_link_libraries(mescola_win32 PUBLIC mescola_lib)
target_compile_options(mescola_win32 PRIVATE -Wall -Wextra)

add_executable(mescola WIN32 ui/win32/winmain.cpp)
target_link_libraries(mescola PRIVATE mescola_win32)
target_compile_options(mescola PRIVATE -Wall -Wextra)
