# What a user downloads, made by CPack from the builds (scripts/package.sh):
# on Windows the program folder as a zip, brantel-VERSION-win64.zip; on
# Linux a Debian package, brantel_VERSION_amd64.deb, with the programs under
# /usr/lib/brantel and their names in /usr/bin. The programs are stripped.
set(CPACK_PACKAGE_NAME brantel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR brantel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Converts an old MAME controller folder of INI files into one controller file")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # The program folder: both programs, and the list generator in its own
  # folder, where Convert starts it.
  install(TARGETS brantel-convert RUNTIME DESTINATION .)
  if(TARGET brantel-manager)
    install(TARGETS brantel-manager RUNTIME DESTINATION .)
  endif()
  install(TARGETS listgen RUNTIME DESTINATION "list generator")
  configure_file(docs/README-windows.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  # The licences of what is linked in: expat, GCC's runtime libraries and
  # the MinGW-w64 runtime (C runtime start-up and winpthreads).
  install(FILES ${BRANTEL_WINDOWS_DEPS}/share/doc/expat/COPYING DESTINATION licences RENAME expat.txt)
  install(FILES /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright
          DESTINATION licences RENAME gcc-runtime.txt)
  install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright DESTINATION licences RENAME mingw-w64.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME brantel-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  # The programs find the list generator and one another beside themselves:
  # /usr/bin holds links to them.
  install(TARGETS brantel-convert RUNTIME DESTINATION lib/brantel)
  install(TARGETS listgen RUNTIME DESTINATION "lib/brantel/list generator")
  set(programs brantel-convert)
  if(TARGET brantel-manager)
    install(TARGETS brantel-manager RUNTIME DESTINATION lib/brantel)
    list(APPEND programs brantel-manager)
    install(FILES ui/brantel-manager.desktop DESTINATION share/applications)
    install(FILES ui/icon/brantel-manager.png DESTINATION share/icons/hicolor/256x256/apps)
  endif()
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/links)
  foreach(program IN LISTS programs)
    file(CREATE_LINK ../lib/brantel/${program} ${CMAKE_BINARY_DIR}/links/${program} SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/links/${program} DESTINATION bin)
  endforeach()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the Qt 6 and expat packages, from the programs
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_PACKAGE_CONTACT "brantel developers <brantel@users.noreply.invalid>")
endif()

include(CPack)
