# 64-bit Windows: the same sources, for running the Windows tests under
# 64-bit Wine on machines that cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(MINGW_WINE_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
