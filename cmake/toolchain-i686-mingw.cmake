# The product: 32-bit Windows.
set(TEVARO_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
