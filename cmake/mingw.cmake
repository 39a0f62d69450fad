# What the two MinGW-w64 toolchain files share: the -posix compilers of
# VELMORA_MINGW_TRIPLE (the win32-threads ones lack std::mutex, which
# GoogleTest uses), windres, the target's own root, and the Wine wrapper as
# the emulator that runs the test programs, in a private prefix of the
# build folder and in the Wine architecture VELMORA_WINE_ARCH.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# See scripts/wine-run.sh.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh;--arch;${VELMORA_WINE_ARCH};--prefix;${CMAKE_BINARY_DIR}/wineprefix")
