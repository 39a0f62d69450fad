# Cross-compiles for 64-bit Windows (x64) with the x86_64 MinGW-w64
# compilers; the test programs run under 64-bit Wine in a win64 prefix.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(VELMORA_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
