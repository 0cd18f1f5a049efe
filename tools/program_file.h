// Programs named the Windows way on POSIX hosts: settings and command lines
// written for Windows say "mame.exe" or "listgen.exe" where the file here is
// "mame" or "listgen".
#pragma once

#include <string>

namespace brantel {

// The file that starts the program named `path`: `path` itself when it is a
// runnable file, otherwise `path` less a trailing ".exe" (in any letter case)
// when that is one; the empty string when neither is.
std::string ProgramFileForWindowsName(const std::string& path);

}  // namespace brantel
