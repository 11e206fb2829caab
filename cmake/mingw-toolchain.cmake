# Cross-building for Windows with MinGW-w64. Included by the toolchain files
# of each architecture, which set MINGW_TRIPLET and MINGW_WINE_BITS.
set(CMAKE_SYSTEM_NAME Windows)
# The POSIX thread model: its standard library has std::mutex (GoogleTest needs it).
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${MINGW_TRIPLET}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs need no runtime DLL beyond the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Windows programs of the build, tests included, run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${MINGW_WINE_BITS})
