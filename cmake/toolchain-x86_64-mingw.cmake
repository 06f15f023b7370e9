# The same sources for 64-bit Windows, for machines that cannot run 32-bit programs.
set(TEVARO_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
