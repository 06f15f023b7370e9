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

# tevaro_test(NAME DIR dir [LIBS lib...] [RC file.rc] [TIMEOUT s] [SPLIT group...] [LOCK name])
# One doctest program from every .cpp in DIR, run by ctest under Wine. With SPLIT, ctest runs
# it once per group instead (test NAME_group runs the test cases named "group*"), so that long
# groups can run side by side. LOCK names a ctest resource lock: programs that share one never
# run at the same time (those that move the desktop's cursor share "desktop_input").
function(tevaro_test name)
  cmake_parse_arguments(A "" "DIR;TIMEOUT;LOCK" "LIBS;RC;SPLIT" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  add_executable(${name} ${srcs} ${A_RC})
  target_link_libraries(${name} PRIVATE tevaro_test_main ${A_LIBS})
  set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE OFF)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  if(NOT A_SPLIT)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
    if(A_LOCK)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${A_LOCK})
    endif()
    return()
  endif()
  foreach(group ${A_SPLIT})
    add_test(NAME ${name}_${group} COMMAND ${name} --test-case=${group}*)
    set_tests_properties(${name}_${group} PROPERTIES TIMEOUT ${A_TIMEOUT})
    if(A_LOCK)
      set_tests_properties(${name}_${group} PROPERTIES RESOURCE_LOCK ${A_LOCK})
    endif()
  endforeach()
endfunction()

# tevaro_bench(NAME DIR dir [LIBS lib...]): a program that prints figures; never a test.
function(tevaro_bench name)
  cmake_parse_arguments(A "" "DIR" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()

# tevaro_sys_resources(RCFILE): lets a resource script include the framework's resources
# (swui_sys_skin.rc) and rebuild when they change. It adds to the script's include folders and
# dependencies, so other rules may name dependencies of their own.
function(tevaro_sys_resources rcfile)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${SWUI_RES_DIR}/*.xml ${SWUI_RES_DIR}/*.rc
    ${SWUI_RES_DIR}/*.png)
  set_property(SOURCE ${rcfile} APPEND PROPERTY INCLUDE_DIRECTORIES ${SWUI_RES_DIR})
  set_property(SOURCE ${rcfile} APPEND PROPERTY OBJECT_DEPENDS ${files})
endfunction()
