// The MAME program that the MAME path and the executable name name together,
// found the way the list generator starts it.
#pragma once

#include <string>
#include <vector>

namespace brantel {

// The file that starts MAME: the MAME path followed by the executable name
// (or the name alone when it is a full path), in the host's path form; none
// for an empty name. On POSIX a name ending in ".exe" that is not
// there is looked for without that suffix, so settings made for Windows
// ("mame.exe") find "mame"; when neither is there and the executable name
// holds no folder, it is looked for on the search path, as a shell would.
// On Windows a name without an extension is also looked for with ".exe", as
// the process start completes it. The empty string when there is no such
// program.
std::string FindMameProgram(const std::string& mame_path, const std::string& executable);

// The file the two texts name, looked for nowhere else: the MAME path
// followed by the executable name, or the name alone when it is a full path.
std::string MameProgramNamed(const std::string& mame_path, const std::string& executable);

// What FindMameProgram looked for, in words for a message; for an empty
// name, the MAME path followed by kEmptyExecutableName.
inline constexpr const char* kEmptyExecutableName = " (the executable name is empty)";
std::string MameProgramLookedFor(const std::string& mame_path, const std::string& executable);

// The MAME programs a new window may take for the user's, the likeliest
// first, as full paths: on Linux the "mame" a shell finds on PATH, else
// Debian's /usr/games/mame; on Windows a mame.exe in `program_folder` or in a
// folder above it (tools are often unpacked inside the MAME folder), the
// nearest first. Empty when there is none.
std::vector<std::string> InstalledMamePrograms(const std::string& program_folder);

}  // namespace brantel
