# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads).
# The runtime (libgcc, libstdc++, winpthread) is linked statically, so the
# programs need nothing installed beside them. Test executables run through
# wine, which CMake and CTest use as the cross-compiling emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CFG_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CFG_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CFG_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CFG_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CFG_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(CFG_WINE NAMES wine wine64)
if(CFG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()
# Tests are listed when CTest runs, not while building: the build does not
# start wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
