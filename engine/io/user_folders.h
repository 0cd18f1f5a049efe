// The user's own folders, for a program whose own folder cannot be written
// (installed under "C:\Program Files" or by a package).
#pragma once

#include <string>

namespace brantel {

// Where the user's settings live: %APPDATA% on Windows, $XDG_CONFIG_HOME
// (default ~/.config) elsewhere. Throws IoError when the system names none.
std::string UserSettingsFolder();

// Where files that can be made again live: %LOCALAPPDATA% on Windows,
// $XDG_CACHE_HOME (default ~/.cache) elsewhere. Throws IoError as above.
std::string UserCacheFolder();

// Makes the folder when it is missing (its parent must exist). Throws
// IoError naming it when it is neither there nor made.
void MakeFolderIfMissing(const std::string& folder);

}  // namespace brantel
