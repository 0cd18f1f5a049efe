// Where the window first looks for MAME: the usual place on the host. On
// Windows that is a folder on a drive; Debian's MAME runs from the search
// path and keeps its data under the user's home, in "mame/".
#pragma once

#include <string>

namespace brantel {

// The texts of the MAME path and executable boxes of a new window.
std::string FirstStartMamePath();
std::string FirstStartExecutable();

// What the settings load gives those boxes when they are empty.
std::string DefaultMamePath();
std::string DefaultExecutable();

}  // namespace brantel
