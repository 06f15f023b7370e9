# Shared by both mingw-w64 toolchain files: the caller sets TEVARO_ARCH (i686 or x86_64).
# Cross-build for Windows with mingw-w64 (posix threads), linked statically so the executables
# need no mingw DLLs at run time.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TEVARO_ARCH})

set(TEVARO_MINGW ${TEVARO_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${TEVARO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TEVARO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER  ${TEVARO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TEVARO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE arithmetic so that floating-point results (pixel sizes, EQ responses) are repeatable and
# the same on both architectures (x86_64 uses SSE anyway).
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Every Windows executable built here (tests, benchmarks) runs under the Wine of its own
# architecture, in that architecture's test prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR
  /usr/bin/env TEVARO_ARCH=${TEVARO_ARCH} ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
