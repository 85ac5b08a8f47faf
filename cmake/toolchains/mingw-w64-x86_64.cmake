# Cross build of the command line for 64-bit Windows with Debian's MinGW-w64
# (g++-mingw-w64-x86-64-posix: the posix thread model, which std::thread
# needs). Everything is linked statically (libstdc++, libgcc, winpthread), so
# zelk.exe runs on a Windows 10/11 machine with nothing installed.
#
# The tests run under wine64 (CMAKE_CROSSCOMPILING_EMULATOR), which ctest and
# GoogleTest's test discovery put in front of every Windows program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZELK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELK_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only; the header-only libraries the
# core uses (nlohmann JSON, CLI11) are the build machine's
# (cmake/cross_header_libraries.cmake).
set(CMAKE_FIND_ROOT_PATH /usr/${ZELK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Windows 10 and later: the console and file APIs the platform layer uses.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE _FILE_OFFSET_BITS=64)

find_program(ZELK_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(ZELK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELK_WINE})
endif()
