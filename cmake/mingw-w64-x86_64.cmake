# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DBRANTEL_WINDOWS_DEPS=<prefix holding expat and googletest for Windows> \
#         -DBRANTEL_BUILD_WINDOW=OFF
#
# The runtime (libgcc, libstdc++, winpthread) is linked statically so that the
# .exe files run on a bare Windows, or under Wine, without any extra DLL.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRANTEL_MINGW_TRIPLE x86_64-w64-mingw32)

# The "-posix" flavour brings std::thread and std::mutex (through winpthread);
# the plain names point at whichever flavour update-alternatives chose.
find_program(BRANTEL_MINGW_CXX NAMES ${BRANTEL_MINGW_TRIPLE}-g++-posix ${BRANTEL_MINGW_TRIPLE}-g++
             REQUIRED)
find_program(BRANTEL_MINGW_CC NAMES ${BRANTEL_MINGW_TRIPLE}-gcc-posix ${BRANTEL_MINGW_TRIPLE}-gcc
             REQUIRED)
set(CMAKE_C_COMPILER ${BRANTEL_MINGW_CC})
set(CMAKE_CXX_COMPILER ${BRANTEL_MINGW_CXX})
set(CMAKE_RC_COMPILER ${BRANTEL_MINGW_TRIPLE}-windres)
# CPack strips the packaged programs with it.
set(CMAKE_STRIP ${BRANTEL_MINGW_TRIPLE}-strip)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Libraries and packages come from the MinGW sysroot and from the prefix of
# Windows builds of our dependencies, never from the build machine.
set(BRANTEL_WINDOWS_DEPS "" CACHE PATH "Prefix holding expat and googletest built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRANTEL_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${BRANTEL_MINGW_TRIPLE})
if(BRANTEL_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${BRANTEL_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets CTest (and gtest_discover_tests) run the .exe files through Wine.
find_program(BRANTEL_WINE NAMES wine)
if(BRANTEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BRANTEL_WINE})
endif()
