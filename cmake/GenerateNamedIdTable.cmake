# Writes the named-ID table (cmake -P): every element name of the layouts with its id, sorted
# by name in code-unit order as the framework's binary search expects.
#   -DLAYOUT_DIR=<folder of the layout XML files>  -DHANDSET=<file of hand-set "name id" lines>
#   -DOUTPUT=<the .cpp to write>  -DOUTPUT_HEADER=<the header of the hand-set ids to write>
# The build fails on a name the table cannot hold, a hand-set name given two ids or used by no
# layout, and a layout id in the generated range.
cmake_minimum_required(VERSION 3.25)

set(kNameStart 65535)
set(kMaxNameLength 49)

# Hand-set ids.
file(STRINGS "${HANDSET}" handset_lines)
set(handset_names)
foreach(line IN LISTS handset_lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  if(NOT line MATCHES "^[ \t]*([^ \t]+)[ \t]+([0-9]+)[ \t]*$")
    message(FATAL_ERROR "${HANDSET}: cannot read \"${line}\" (expected: name id)")
  endif()
  set(n "${CMAKE_MATCH_1}")
  set(v "${CMAKE_MATCH_2}")
  if(DEFINED "id_of_${n}" AND NOT "${id_of_${n}}" STREQUAL "${v}")
    message(FATAL_ERROR "named id \"${n}\" is given two ids: ${id_of_${n}} and ${v}")
  endif()
  if(v GREATER_EQUAL kNameStart)
    message(FATAL_ERROR "hand-set id ${v} of \"${n}\" lies in the generated range (${kNameStart} and above)")
  endif()
  set("id_of_${n}" "${v}")
  list(APPEND handset_names "${n}")
endforeach()
list(REMOVE_DUPLICATES handset_names)

# Element names of the layouts.
file(GLOB layouts "${LAYOUT_DIR}/*.xml")
list(SORT layouts)
set(names)
foreach(layout IN LISTS layouts)
  file(READ "${layout}" xml)
  # Comments may mention names; drop them first.
  while(TRUE)
    string(FIND "${xml}" "<!--" open)
    if(open EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${xml}" ${open} -1 rest)
    string(FIND "${rest}" "-->" close)
    if(close EQUAL -1)
      message(FATAL_ERROR "${layout}: a comment is not closed")
    endif()
    math(EXPR cut "${open} + ${close} + 3")
    string(SUBSTRING "${xml}" 0 ${open} head)
    string(SUBSTRING "${xml}" ${cut} -1 tail)
    set(xml "${head}${tail}")
  endwhile()
  # Skin and style sections name skins and styles, not elements: layouts keep them in the UI
  # definition, so that every name attribute here is an element's.
  if(xml MATCHES "<(skin|style)[ \t\r\n/>]")
    message(FATAL_ERROR "${layout}: skins and styles belong in the UI definition, not in a layout")
  endif()
  string(REGEX MATCHALL "<[A-Za-z][^>]*>" tags "${xml}")
  foreach(tag IN LISTS tags)
    if(tag MATCHES "[ \t\r\n]id=\"([0-9]+)\"")
      if(CMAKE_MATCH_1 GREATER_EQUAL kNameStart)
        message(FATAL_ERROR "${layout}: id ${CMAKE_MATCH_1} lies in the range of generated named ids")
      endif()
    endif()
    if(NOT tag MATCHES "[ \t\r\n]name=\"([^\"]*)\"")
      continue()
    endif()
    set(n "${CMAKE_MATCH_1}")
    string(LENGTH "${n}" len)
    if(NOT n MATCHES "^[A-Za-z_][A-Za-z0-9_.]*$" OR len GREATER kMaxNameLength)
      message(FATAL_ERROR "${layout}: element name \"${n}\" cannot be a named id "
                          "(letters, digits, '_' and '.', at most ${kMaxNameLength} characters)")
    endif()
    if(n STREQUAL "_name_start")
      message(FATAL_ERROR "${layout}: \"_name_start\" is reserved")
    endif()
    list(APPEND names "${n}")
  endforeach()
endforeach()
list(REMOVE_DUPLICATES names)

foreach(n IN LISTS handset_names)
  if(NOT n IN_LIST names)
    message(FATAL_ERROR "hand-set named id \"${n}\" is used by no layout")
  endif()
endforeach()

# Ids: hand-set ones as given, the others in name order from kNameStart + 1.
list(APPEND names "_name_start")
set("id_of__name_start" ${kNameStart})
list(SORT names COMPARE STRING CASE SENSITIVE)
set(next ${kNameStart})
set(rows "")
set(count 0)
foreach(n IN LISTS names)
  if(NOT DEFINED "id_of_${n}")
    math(EXPR next "${next} + 1")
    set("id_of_${n}" ${next})
  endif()
  string(APPEND rows "    {L\"${n}\", ${id_of_${n}}},\n")
  math(EXPR count "${count} + 1")
endforeach()

set(text "// Generated at build time from the layouts by cmake/GenerateNamedIdTable.cmake; do not edit.
#include \"NamedIdTable.h\"

// The framework searches the table by bisection: it must be sorted and free of repeats.
constexpr SWUI::SNamedID::NAMEDVALUE kNamedIdTable[] = {
${rows}};
const int kNamedIdCount = ${count};

static_assert(NamedIdTableIsSorted(kNamedIdTable, ${count}), \"the named-ID table must be sorted and unique\");
")
# The hand-set ids as constants, so that code names an element's id as the layouts do.
set(consts "")
set(sorted_handset ${handset_names})
list(SORT sorted_handset COMPARE STRING CASE SENSITIVE)
foreach(n IN LISTS sorted_handset)
  string(REPLACE "." "_" ident "${n}")
  string(APPEND consts "constexpr int ${ident} = ${id_of_${n}};\n")
endforeach()
set(header "// Generated at build time from the hand-set ids by cmake/GenerateNamedIdTable.cmake; do not
// edit. The hand-set ids of the named-ID table, by element name.
#pragma once

namespace NamedId {
${consts}}  // namespace NamedId
")

# Rewrite only on change, so that an unchanged table does not rebuild its users.
function(write_if_changed path text)
  if(EXISTS "${path}")
    file(READ "${path}" old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE "${path}" "${text}")
endfunction()
write_if_changed("${OUTPUT}" "${text}")
if(DEFINED OUTPUT_HEADER)
  write_if_changed("${OUTPUT_HEADER}" "${header}")
endif()
