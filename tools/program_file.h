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

// The program `name` (which holds no folder) as a shell finds it on the
// search path PATH: the first folder where ProgramFileForWindowsName finds
// it, the system's default search path when PATH is not set. Entries that
// are no full path ("", ".") are passed over, so that every program of the
// system finds the same file from whatever folder it runs in. The empty
// string when none does.
std::string ProgramFileOnSearchPath(const std::string& name);

}  // namespace brantel
