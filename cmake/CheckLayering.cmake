# The house's floors, checked: every quoted include of a source or header must resolve within
# its own floor or a floor below it. From the ground up: base/ (object model, strings), render/
# (render back-end, decoders), swui/ (the framework), common/ (device link, EQ model), app/.
# Run as: cmake -DTEVARO_SOURCE_DIR=<tree> -P CheckLayering.cmake
# It prints every include that reaches upward, with the file and line, and fails when any does.
cmake_minimum_required(VERSION 3.25)
if(NOT TEVARO_SOURCE_DIR)
  message(FATAL_ERROR "TEVARO_SOURCE_DIR is not set")
endif()
set(S ${TEVARO_SOURCE_DIR})

# floor: folder, the include folders it may use, the folders it must not reach.
set(base_dir base)
set(base_allowed base/include)
set(base_forbidden render swui common app)
set(render_dir render)
set(render_allowed base/include render/include)
set(render_forbidden swui common app)
set(swui_dir swui)
set(swui_allowed base/include render/include swui/include resources/include)
set(swui_forbidden common app)
set(common_dir common)
set(common_allowed base/include render/include swui/include resources/include common)
set(common_forbidden app)
# Where a name may resolve when it resolves in no allowed folder: the folders above.
set(all_roots base/include render/include swui/include resources/include common app)

# resolves(OUT file include roots...): the first existing path of include beside file or
# below one of the roots, or empty.
function(resolve out file inc)
  get_filename_component(dir ${file} DIRECTORY)
  foreach(root ${dir} ${ARGN})
    if(IS_ABSOLUTE ${root})
      set(candidate ${root}/${inc})
    else()
      set(candidate ${S}/${root}/${inc})
    endif()
    if(EXISTS ${candidate} AND NOT IS_DIRECTORY ${candidate})
      get_filename_component(candidate ${candidate} ABSOLUTE)
      set(${out} ${candidate} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

set(violations 0)
foreach(floor base render swui common)
  file(GLOB_RECURSE files ${S}/${${floor}_dir}/*.h ${S}/${${floor}_dir}/*.cpp
    ${S}/${${floor}_dir}/*.c)
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
      resolve(own ${file} ${inc} ${${floor}_allowed})
      if(own)
        continue()
      endif()
      resolve(other ${file} ${inc} ${all_roots})
      if(NOT other)
        continue()  # generated or third-party: not the house's
      endif()
      file(RELATIVE_PATH rel_other ${S} ${other})
      foreach(up ${${floor}_forbidden})
        if(rel_other MATCHES "^${up}/")
          file(RELATIVE_PATH rel_file ${S} ${file})
          message("layering: ${rel_file} (${floor}/) includes \"${inc}\", which is ${rel_other} (${up}/)")
          math(EXPR violations "${violations} + 1")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "layering: ${violations} include(s) reach a floor above their own")
endif()
message("layering: every include of base/, render/, swui/ and common/ stays on its floor or below")
