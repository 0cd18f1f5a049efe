// The user's own folders, for a program whose own folder cannot be written
// (installed under "C:\Program Files" or by a package).
#pragma once

#include <string>

namespace brantel {

// Where the user's settings live: %APPDATA% on Windows, $XDG_CONFIG_HOME
// (default ~/.config, "~" the home of the user's account when HOME is not
// set) elsewhere. Throws IoError when the system names none.
std::string UserSettingsFolder();

// Where files that can be made again live: %LOCALAPPDATA% on Windows,
// $XDG_CACHE_HOME (default ~/.cache) elsewhere. Throws IoError as above.
std::string UserCacheFolder();

// Makes the folder when it is missing: on Windows its parent must exist; on
// POSIX the missing folders above it are made too. Throws IoError naming
// the folder when it is neither there nor made.
void MakeFolderIfMissing(const std::string& folder);

}  // namespace brantel
