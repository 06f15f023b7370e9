# Shared build rules: warnings, Windows defines, and helpers that add libraries and tests
# by globbing their folders, so that a new source file needs no edit of a CMakeLists.

add_library(tevaro_options INTERFACE)
target_compile_features(tevaro_options INTERFACE cxx_std_17)
target_compile_definitions(tevaro_options INTERFACE
  UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
target_compile_options(tevaro_options INTERFACE -Wall -Wextra)
if(TEVARO_WERROR)
  target_compile_options(tevaro_options INTERFACE -Werror)
endif()

# tevaro_library(NAME DIRS dir... [LIBS lib...] [INCLUDES dir...])
# A static library of every .cpp/.c below the given folders.
function(tevaro_library name)
  cmake_parse_arguments(A "" "" "DIRS;LIBS;INCLUDES" ${ARGN})
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${d}/*.cpp ${d}/*.c)
    list(APPEND srcs ${found})
  endforeach()
  if(NOT srcs)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${A_INCLUDES})
    target_link_libraries(${name} INTERFACE tevaro_options ${A_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${A_INCLUDES})
  target_link_libraries(${name} PUBLIC tevaro_options ${A_LIBS})
endfunction()

# tevaro_test(NAME DIR dir [LIBS lib...] [RC file.rc] [TIMEOUT s])
# One doctest program from every .cpp in DIR, run by ctest under Wine.
function(tevaro_test name)
  cmake_parse_arguments(A "" "DIR;TIMEOUT" "LIBS;RC" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  add_executable(${name} ${srcs} ${A_RC})
  target_link_libraries(${name} PRIVATE tevaro_test_main ${A_LIBS})
  set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE OFF)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
endfunction()

# tevaro_bench(NAME DIR dir [LIBS lib...]): a program that prints figures; never a test.
function(tevaro_bench name)
  cmake_parse_arguments(A "" "DIR" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()

# tevaro_sys_resources(RCFILE): lets a resource script include the framework's resources
# (swui_sys_skin.rc) and rebuild when they change.
function(tevaro_sys_resources rcfile)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${SWUI_RES_DIR}/*.xml ${SWUI_RES_DIR}/*.rc
    ${SWUI_RES_DIR}/*.png)
  set_source_files_properties(${rcfile} PROPERTIES
    INCLUDE_DIRECTORIES ${SWUI_RES_DIR} OBJECT_DEPENDS "${files}")
endfunction()
