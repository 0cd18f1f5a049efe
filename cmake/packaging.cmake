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
  include(cmake/windows_licences.cmake)
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
    # The .ico's own images at 16 to 64 pixels, and 128 scaled from the 256 one.
    foreach(size 16 32 48 64 128)
      install(FILES ui/icon/brantel-manager-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
              RENAME brantel-manager.png)
    endforeach()
    install(FILES ui/icon/brantel-manager.png DESTINATION share/icons/hicolor/256x256/apps)
  endif()
  # Debian's strip also removes the compiler's notes (.comment, .note).
  install(CODE "set(brantel_objcopy \"${CMAKE_OBJCOPY}\")")
  install(CODE [[
    if(CMAKE_INSTALL_DO_STRIP)
      file(GLOB_RECURSE programs "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lib/brantel/*")
      foreach(program IN LISTS programs)
        execute_process(COMMAND "${brantel_objcopy}" --remove-section=.comment --remove-section=.note
                                "${program}" COMMAND_ERROR_IS_FATAL ANY)
      endforeach()
    endif()
  ]])
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/links)
  foreach(program IN LISTS programs)
    file(CREATE_LINK ../lib/brantel/${program} ${CMAKE_BINARY_DIR}/links/${program} SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/links/${program} DESTINATION bin)
  endforeach()
  include(cmake/debian_documents.cmake)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the Qt 6 and expat packages, from the programs
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "The window, brantel-manager, takes the name of an old controller folder\n"
    "(INI files of input mappings in MAME's ctrlr folder, one per game or\n"
    "driver), the path to MAME and MAME's executable name, and writes the one\n"
    "XML controller file that current MAME reads with -ctrlr. Old input names\n"
    "become current ones, the sections are ordered from general to specific by\n"
    "MAME's own machine list, and notes tell what changed. brantel-convert does\n"
    "the same from the command line.")
  set(CPACK_PACKAGE_CONTACT "brantel developers <brantel@users.noreply.invalid>")
endif()

include(CPack)
