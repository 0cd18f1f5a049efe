# Windows resources for a program: icon, version information and manifest
# (resource type 24, id 1: the process's own). A program given no manifest of
# its own gets the command-line programs' one (cmake/program.manifest.in).
#
#   brantel_windows_resources(TARGET "description" [MANIFEST file])
function(brantel_windows_resources target description)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "MANIFEST" "")
  set(BRANTEL_ICON_FILE "${PROJECT_SOURCE_DIR}/ui/icon/brantel-manager.ico")
  set(BRANTEL_FILE_DESCRIPTION "${description}")
  get_target_property(BRANTEL_FILE_NAME ${target} OUTPUT_NAME)
  if(NOT BRANTEL_FILE_NAME)
    set(BRANTEL_FILE_NAME ${target})
  endif()
  set(manifest "${ARG_MANIFEST}")
  if(NOT manifest)
    set(manifest "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/program.manifest.in" "${manifest}" @ONLY)
  endif()
  set(BRANTEL_MANIFEST_RESOURCE "1 24 \"${manifest}\"")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/program.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS "${manifest}")
endfunction()
