# The licences of all that the Windows programs are made of, in licences\,
# each in CR LF (Notepad before Windows 10 shows a file of LF lines as one
# line): brantel's own; expat; GCC's runtime libraries (libgcc, libstdc++),
# under the GNU GPL 3 with the GCC Runtime Library Exception 3.1, in the
# words Debian's MinGW-w64 compiler and base-files ship; and the MinGW-w64
# runtime (start-up code, winpthreads), from Debian's copyright file of it.
set(BRANTEL_LICENCE_FOLDER "${CMAKE_BINARY_DIR}/licences")
set(gcc_copyright /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright)
set(gpl3 /usr/share/common-licenses/GPL-3)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${gcc_copyright} ${gpl3})

# Writes `text` as licences\NAME in CR LF; the file changes only when its text does.
function(brantel_licence name text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${BRANTEL_LICENCE_FOLDER}/${name}.new" "${text}")
  file(COPY_FILE "${BRANTEL_LICENCE_FOLDER}/${name}.new" "${BRANTEL_LICENCE_FOLDER}/${name}" ONLY_IF_DIFFERENT)
  file(REMOVE "${BRANTEL_LICENCE_FOLDER}/${name}.new")
  install(FILES "${BRANTEL_LICENCE_FOLDER}/${name}" DESTINATION licences)
endfunction()

function(brantel_licence_from name file)
  file(READ "${file}" text)
  brantel_licence(${name} "${text}")
endfunction()

function(brantel_gcc_runtime_licence name)
  file(READ ${gcc_copyright} copyright)
  string(FIND "${copyright}" "GCC RUNTIME LIBRARY EXCEPTION" start)
  string(FIND "${copyright}" "requirements of the license of GCC." end)
  if(start EQUAL -1 OR end LESS start)
    message(FATAL_ERROR "${gcc_copyright}: the GCC Runtime Library Exception is not in it")
  endif()
  math(EXPR length "${end} - ${start} + 35")  # the last sentence
  string(SUBSTRING "${copyright}" ${start} ${length} exception)
  file(READ ${gpl3} gpl)
  brantel_licence(${name} "\
GCC's runtime libraries (libgcc, libstdc++), which the programs contain, are
under the GNU General Public License, version 3, with the GCC Runtime Library
Exception, version 3.1. The exception lets programs compiled with GCC be
conveyed under terms of their own. Both texts follow.


${exception}


${gpl}")
endfunction()

brantel_licence_from(brantel.txt "${PROJECT_SOURCE_DIR}/LICENSE")
brantel_licence_from(expat.txt "${BRANTEL_WINDOWS_DEPS}/share/doc/expat/COPYING")
brantel_gcc_runtime_licence(gcc-runtime.txt)
brantel_licence_from(mingw-w64.txt /usr/share/doc/mingw-w64-x86-64-dev/copyright)
