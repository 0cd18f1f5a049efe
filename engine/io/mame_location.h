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

// The mame.ini files whose "ctrlr" line names the controller file MAME
// uses: the one in the MAME folder and, on Linux, the user's own
// ~/.mame/mame.ini, which Debian's MAME reads.
std::vector<std::string> MameIniFiles(const std::string& mame_path);

// True when MAME, given `ctrlr_value`, reads the combined file of the folder
// `folder_name`: on Windows without regard to letter case.
bool NamesControllerFolder(const std::string& ctrlr_value, const std::string& folder_name);

// True for a folder of the user's own (under the home folder), which MAME
// offers before the system's: never on Windows, where MAME keeps its folders
// together.
bool IsUsersOwnFolder(const std::string& folder);

}  // namespace brantel
