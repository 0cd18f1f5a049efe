// Where MAME is: lines 2 and 3 of the settings file that the Convert command
// has just written.
#pragma once

#include <string>

namespace listgen {

struct MameSettings {
  std::string mame_path;   // as the user typed it, always ending in "\"
  std::string executable;  // the executable name, trimmed
};

// Reads the MAME path (line 2) and executable name (line 3), trimmed of
// spaces; the path gets a final "\" when it lacks one, as the window gives
// it. Throws IoError when the file cannot be read and std::runtime_error
// when it holds no executable name.
MameSettings ReadMameSettings(const std::string& settings_file);

}  // namespace listgen
