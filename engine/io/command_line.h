// The arguments a front end was started with, in the system's form.
#pragma once

#include <string>
#include <vector>

namespace brantel {

// The arguments after the program name. On Windows they are read from the
// process's own command line (see SplitWindowsCommandLine), so
// `"C:\Program Files\MAME\" mame64.exe` is two arguments, not one ending in a
// quote as the C runtime would have it; an argument the ANSI code page cannot
// spell is a path, taken through its short names.
// Throws IoError when such an argument names no existing path.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace brantel
