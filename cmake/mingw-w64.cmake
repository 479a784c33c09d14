# Cross build for Windows with Debian's MinGW-w64 (posix threads). The program ships 32-bit:
# the game's installer puts its registry key in the 32-bit view, and Windows virtualises a
# standard user's write to HKLM only for a 32-bit program. mingw-w64-x86_64.cmake builds the
# same 64-bit, for the tests on machines whose kernel runs no 32-bit programs (and so no
# 32-bit Wine). The C and C++ runtimes are linked statically, so the .exe files run without any
# DLL beside them; ctest runs them through Wine in a prefix of their own in the build folder.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT CMAKE_SYSTEM_PROCESSOR)
    set(CMAKE_SYSTEM_PROCESSOR i686)
endif()
set(_brelvik_triple ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${_brelvik_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_brelvik_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_brelvik_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_brelvik_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Windows APIs in their wide forms unless a call names its A form.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

# Debian's wine command prefers its 32-bit loader whenever that is installed, even where it
# cannot run; 64-bit programs go to the 64-bit loader directly.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    find_program(BRELVIK_WINE NAMES wine64 PATHS /usr/lib/wine REQUIRED)
    set(_brelvik_loader "WINELOADER=${BRELVIK_WINE}")
else()
    find_program(BRELVIK_WINE NAMES wine REQUIRED)
    set(_brelvik_loader "")
endif()
# A throw-away 64-bit prefix under the build folder, so that the programs meet the registry
# views of 64-bit Windows; no debug chatter, no Mono or Gecko installer.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" WINEARCH=win64 WINEDEBUG=-all
    "WINEDLLOVERRIDES=mscoree,mshtml=" ${_brelvik_loader} ${BRELVIK_WINE})
