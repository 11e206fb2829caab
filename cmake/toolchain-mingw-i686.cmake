# 32-bit Windows (the platform of Shelfkey.DLL and its hosts).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(MINGW_WINE_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
