# What Debian asks of a package besides the programs: the licence in Debian's
# machine-readable copyright format, the changelog and the manual pages,
# compressed as dpkg's own tools compress them (gzip -9n: no name, no time).
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
string(FIND "${licence}" "Permission is hereby granted" start)
string(SUBSTRING "${licence}" ${start} -1 licence)
string(STRIP "${licence}" licence)
# A licence paragraph's lines begin with a space, an empty one is " .".
string(REPLACE "\n" "\n " licence " ${licence}")
string(REPLACE "\n \n" "\n .\n" BRANTEL_LICENCE_TEXT "${licence}")
set(debian_dir "${CMAKE_BINARY_DIR}/debian")
configure_file(docs/debian/copyright.in "${debian_dir}/copyright" @ONLY)
configure_file(docs/debian/changelog "${debian_dir}/changelog" COPYONLY)

set(pages brantel-convert)
if(TARGET brantel-manager)
  list(APPEND pages brantel-manager)
endif()
set(compressed "${debian_dir}/changelog.gz")
foreach(page IN LISTS pages)
  configure_file(docs/${page}.1.in "${debian_dir}/${page}.1" @ONLY)
  list(APPEND compressed "${debian_dir}/${page}.1.gz")
endforeach()
foreach(file IN LISTS compressed)
  string(REGEX REPLACE "\\.gz$" "" plain "${file}")
  add_custom_command(OUTPUT "${file}" COMMAND gzip -9nkf "${plain}" DEPENDS "${plain}" VERBATIM)
endforeach()
add_custom_target(brantel_debian_documents ALL DEPENDS ${compressed})

install(FILES "${debian_dir}/copyright" "${debian_dir}/changelog.gz" DESTINATION share/doc/brantel)
foreach(page IN LISTS pages)
  install(FILES "${debian_dir}/${page}.1.gz" DESTINATION share/man/man1)
endforeach()
