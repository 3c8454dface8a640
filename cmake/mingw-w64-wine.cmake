# Cross-builds the Windows program with mingw-w64 and runs its tests under Wine.
#
#   cmake --preset windows && cmake --build --preset windows -j2 && ctest --preset windows
#
# or by hand: cmake -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-wine.cmake
# Tests that open windows need an X display: scripts/test provides one (Xvfb)
# when DISPLAY is unset; scripts/wine-run falls back to xvfb-run otherwise.
# Executables run through scripts/wine-run, which keeps a Wine prefix under
# the build directory (WINEPREFIX in the environment overrides it).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: the win32 one lacks std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# printf formats as glibc's (the CRT's own lacks some), and one .exe that
# needs no DLL beyond the system's (libstdc++ and winpthread linked in).
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

get_filename_component(_mescola_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_mescola_root}/scripts/wine-run;--prefix=${CMAKE_BINARY_DIR}/wineprefix")
