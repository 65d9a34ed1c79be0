# The maker-note tag-name table of voviro_metadata, generated at build time
# from the name lists in ../shared (cmake/MakerNoteNames.cmake does the work).
set(VOVIRO_MAKERNOTE_NAME_LISTS
  ${CMAKE_SOURCE_DIR}/../shared/makernote-names.tsv
  ${CMAKE_SOURCE_DIR}/../shared/makernote-names-extra.tsv)
foreach(list_file IN LISTS VOVIRO_MAKERNOTE_NAME_LISTS)
  if(NOT EXISTS ${list_file})
    message(FATAL_ERROR "The maker-note name list ${list_file} is missing; it belongs in ../shared beside the repository.")
  endif()
endforeach()
set(VOVIRO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(VOVIRO_MAKERNOTE_NAMES_INC ${VOVIRO_GENERATED_DIR}/metadata/MakerNoteNames.inc)
add_custom_command(
  OUTPUT ${VOVIRO_MAKERNOTE_NAMES_INC}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VOVIRO_GENERATED_DIR}/metadata
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${VOVIRO_MAKERNOTE_NAMES_INC} "-DINPUTS=${VOVIRO_MAKERNOTE_NAME_LISTS}"
          -P ${CMAKE_SOURCE_DIR}/cmake/MakerNoteNames.cmake
  DEPENDS ${VOVIRO_MAKERNOTE_NAME_LISTS} ${CMAKE_SOURCE_DIR}/cmake/MakerNoteNames.cmake
  COMMENT "Generating the maker-note tag names"
  VERBATIM)
target_sources(voviro_metadata PRIVATE ${VOVIRO_MAKERNOTE_NAMES_INC})
target_include_directories(voviro_metadata PRIVATE ${VOVIRO_GENERATED_DIR})
