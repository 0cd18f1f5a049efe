# On Debian the programs are built as Debian builds its own packages: with
# the flags dpkg-buildflags gives when every hardening feature is asked for
# (fortified string and memory functions, the stack protector, format
# checks, relocations read-only and bound at start). The optimisation and
# debug flags stay the build type's; a Debug build, unoptimised, cannot be
# fortified and keeps its own.
option(BRANTEL_DEBIAN_BUILD_FLAGS "Compile and link with the hardening flags of dpkg-buildflags" ON)
find_program(BRANTEL_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT BRANTEL_DEBIAN_BUILD_FLAGS OR NOT BRANTEL_DPKG_BUILDFLAGS OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  return()
endif()

function(brantel_dpkg_buildflags kind result)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${BRANTEL_DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(REMOVE_ITEM flags -g -O2)
  set(${result} ${flags} PARENT_SCOPE)
endfunction()

brantel_dpkg_buildflags(CPPFLAGS preprocessor_flags)
brantel_dpkg_buildflags(CXXFLAGS compiler_flags)
brantel_dpkg_buildflags(LDFLAGS linker_flags)
add_compile_options(${preprocessor_flags} ${compiler_flags})
add_link_options(${linker_flags})
