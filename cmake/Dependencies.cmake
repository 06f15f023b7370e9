# Third-party code: header-only packages as Debian installs them, pugixml and libpng built
# from their Debian source packages (fetched by scripts/setup.sh into TEVARO_SRC_DIR).
set(TEVARO_SRC_DIR "/var/cache/tevaro/src" CACHE PATH "Unpacked Debian source packages")

# The header-only packages live under /usr/include next to Linux headers, so each gets a
# directory of its own in the build tree holding just a link to it.
set(_third_inc ${CMAKE_BINARY_DIR}/third_party_include)
file(MAKE_DIRECTORY ${_third_inc})
foreach(_link doctest stb SimpleIni.h)
  if(NOT EXISTS /usr/include/${_link})
    message(FATAL_ERROR "/usr/include/${_link} is missing: run scripts/setup.sh")
  endif()
  file(CREATE_LINK /usr/include/${_link} ${_third_inc}/${_link} SYMBOLIC)
endforeach()

add_library(third_party_headers INTERFACE)
target_include_directories(third_party_headers SYSTEM INTERFACE ${_third_inc})
# Debian's SimpleIni.h keeps its template code behind SI_IMPLEMENTATION (for Linux it ships a
# compiled library); we are header-only, so every user gets the implementation.
# SI_NO_MBCS: section and key names are compared by SimpleIni's own ASCII case folding, which is
# what msvcrt's _wcsicmp does in the C locale the program runs in, without a call into the
# runtime's locale per character: that call made config.ini's reading and writing many times
# slower than its bytes warrant.
target_compile_definitions(third_party_headers INTERFACE SI_IMPLEMENTATION SI_NO_MBCS)

# pugixml in wide-character mode: the framework is UTF-16 throughout.
set(_pugi ${TEVARO_SRC_DIR}/pugixml/src)
if(NOT EXISTS ${_pugi}/pugixml.cpp)
  message(FATAL_ERROR "pugixml sources missing in ${_pugi}: run scripts/setup.sh")
endif()
add_library(pugixml STATIC ${_pugi}/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${_pugi})
target_compile_definitions(pugixml PUBLIC PUGIXML_WCHAR_MODE)
target_compile_options(pugixml PRIVATE -w)

# zlib for mingw comes from libz-mingw-w64-dev.
find_library(TEVARO_ZLIB NAMES libz.a z REQUIRED)
add_library(zlib_static INTERFACE)
target_link_libraries(zlib_static INTERFACE ${TEVARO_ZLIB})

# libpng, stock (no APNG patch: our decoder reads those chunks itself).
set(_png ${TEVARO_SRC_DIR}/libpng)
if(NOT EXISTS ${_png}/png.c)
  message(FATAL_ERROR "libpng sources missing in ${_png}: run scripts/setup.sh")
endif()
set(_png_gen ${CMAKE_BINARY_DIR}/libpng_gen)
file(MAKE_DIRECTORY ${_png_gen})
configure_file(${_png}/scripts/pnglibconf.h.prebuilt ${_png_gen}/pnglibconf.h COPYONLY)
add_library(png_static STATIC
  ${_png}/png.c ${_png}/pngerror.c ${_png}/pngget.c ${_png}/pngmem.c ${_png}/pngpread.c
  ${_png}/pngread.c ${_png}/pngrio.c ${_png}/pngrtran.c ${_png}/pngrutil.c ${_png}/pngset.c
  ${_png}/pngtrans.c ${_png}/pngwio.c ${_png}/pngwrite.c ${_png}/pngwtran.c ${_png}/pngwutil.c)
target_include_directories(png_static SYSTEM PUBLIC ${_png} ${_png_gen})
target_compile_definitions(png_static PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
target_compile_options(png_static PRIVATE -w)
target_link_libraries(png_static PUBLIC zlib_static)
