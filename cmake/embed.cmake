# embed_files(TARGET name NAMESPACE ns FILES a.png b.ico ...) makes a static library whose
# header "embedded/<name>.h" declares one std::span<const unsigned char> per file, named after the
# file (letters, digits and underscores kept, everything else made an underscore).
function(embed_files)
  cmake_parse_arguments(E "" "TARGET;NAMESPACE" "FILES;DEPENDS" ${ARGN})
  set(out_dir ${CMAKE_BINARY_DIR}/generated/embedded)
  set(header ${out_dir}/${E_TARGET}.h)
  set(source ${out_dir}/${E_TARGET}.cpp)
  add_custom_command(
    OUTPUT ${header} ${source}
    COMMAND ${CMAKE_COMMAND} -DHEADER=${header} -DSOURCE=${source} -DNAMESPACE=${E_NAMESPACE}
            "-DFILES=${E_FILES}" -P ${CMAKE_SOURCE_DIR}/cmake/embed_script.cmake
    DEPENDS ${E_FILES} ${E_DEPENDS} ${CMAKE_SOURCE_DIR}/cmake/embed_script.cmake
    COMMENT "Embedding ${E_TARGET}"
    VERBATIM)
  add_library(${E_TARGET} STATIC ${source} ${header})
  target_link_libraries(${E_TARGET} PUBLIC project_options)
endfunction()
