# Build rules of the program's resources.

# tevaro_named_id_table(TARGET LAYOUT_DIR dir HANDSET file INCLUDE dir)
# A static library holding the named-ID table generated from the layouts at build time, and
# the header HandsetIds.h naming the hand-set ids for code (NamedId::orv_tab).
function(tevaro_named_id_table target)
  cmake_parse_arguments(A "" "LAYOUT_DIR;HANDSET;INCLUDE" "" ${ARGN})
  file(GLOB layouts CONFIGURE_DEPENDS ${A_LAYOUT_DIR}/*.xml)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/generated/NamedIdTable.cpp)
  set(header ${CMAKE_CURRENT_BINARY_DIR}/generated/HandsetIds.h)
  add_custom_command(OUTPUT ${out} ${header}
    COMMAND ${CMAKE_COMMAND} -DLAYOUT_DIR=${A_LAYOUT_DIR} -DHANDSET=${A_HANDSET} -DOUTPUT=${out}
            -DOUTPUT_HEADER=${header} -P ${CMAKE_SOURCE_DIR}/cmake/GenerateNamedIdTable.cmake
    DEPENDS ${layouts} ${A_HANDSET} ${CMAKE_SOURCE_DIR}/cmake/GenerateNamedIdTable.cmake
    COMMENT "Generating the named-ID table from the layouts"
    VERBATIM)
  add_library(${target} STATIC ${out} ${header})
  target_include_directories(${target} PUBLIC ${A_INCLUDE} ${CMAKE_CURRENT_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC tevaro_options swui)
endfunction()

# tevaro_embed_resources(TARGET): adds resources/tevaro.rc to a program, with the framework's
# built-in skins it includes (tevaro_sys_resources). windres reports no dependencies of its
# own, so every embedded file is named here: a changed layout or image compiles the script
# again.
function(tevaro_embed_resources target)
  set(dir ${CMAKE_SOURCE_DIR}/resources)
  file(GLOB_RECURSE embedded CONFIGURE_DEPENDS
    ${dir}/layout/*.xml ${dir}/menu/*.xml ${dir}/values/*.xml ${dir}/uidef/*.xml ${dir}/sys/*.xml
    ${dir}/translator/*.xml ${dir}/image/*.png ${dir}/icon/*.ico ${dir}/gif/*.gif)
  target_sources(${target} PRIVATE ${dir}/tevaro.rc)
  set_property(SOURCE ${dir}/tevaro.rc APPEND PROPERTY OBJECT_DEPENDS ${embedded})
  tevaro_sys_resources(${dir}/tevaro.rc)
  # The script names its files relative to its own folder.
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${dir}>)
endfunction()
