# Cross-compiles for 32-bit Windows (x86) with the i686 MinGW-w64 compilers;
# the test programs run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELMORA_MINGW_TRIPLE i686-w64-mingw32)
set(VELMORA_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
