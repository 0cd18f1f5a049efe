// Where the window first looks for MAME: the usual place on the host. On
// Windows that is a folder on a drive; Debian's MAME runs from the search
// path and keeps its data under the user's home, in "mame/".
#pragma once

#include <string>
#include <vector>

namespace brantel {

// The texts of the MAME path and executable boxes of a new window.
std::string FirstStartMamePath();
std::string FirstStartExecutable();

// What the settings load gives those boxes when they are empty.
std::string DefaultMamePath();
std::string DefaultExecutable();

// The mame.ini files that may name the user's controller folder, in the
// order they are looked at: the one in `mame_folder` (ending in a
// separator), and on Linux the one in ~/.mame, where Debian's MAME reads it.
std::vector<std::string> MameIniFiles(const std::string& mame_folder);

}  // namespace brantel
