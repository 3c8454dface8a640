# The Windows program: the WIN32 executable, and the resources (dialog
# template, manifest, version) that it and the tests link, so that the tests
# create the dialog from the same template.
enable_language(RC)

target_sources(mescola_lib INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/resources/mescola.rc)
target_link_libraries(mescola_lib PUBLIC comctl32 comdlg32 gdi32 user32 kernel32)

add_executable(mescola WIN32 platform/win32/main/winmain.cpp)
target_link_libraries(mescola PRIVATE mescola_lib)
target_compile_options(mescola PRIVATE -Wall -Wextra)
