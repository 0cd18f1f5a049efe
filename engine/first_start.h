// A new window's texts taken from the MAME that is installed: where its
// ctrlr folder with the old folders is, which program starts it, and which
// old folder its mame.ini names.
#pragma once

#include <optional>
#include <string>

namespace brantel {

// The MAME path and executable for the MAME program `program` (a full path,
// see InstalledMamePrograms). The path is the folder of MAME's ctrlrpath
// that holds old folders, the user's own first; else MAME's first inipath
// folder; else, when MAME cannot be asked, the program's folder when it
// holds ctrlr. `mame_path` is empty when none of these tells. The executable
// is the program's name when the window finds it so (in the MAME path or on
// the search path), else its full path. Never throws.
struct FoundMame {
  std::string mame_path;  // ends in a separator
  std::string executable;
};
FoundMame MameTextsFor(const std::string& program);

// The folder name that fits the MAME path: the one its mame.ini names (see
// OldFolderOfMameIni); else, when exactly one old folder (a folder of INI
// files) is in its ctrlr, that one; else none.
std::optional<std::string> FittingFolderName(const std::string& mame_path);

// After the MAME path changed to `mame_path`: the one its mame.ini names;
// else, when `folder_name` is no folder there, the only old folder there is.
// None when the name stays.
std::optional<std::string> FolderNameForNewPath(const std::string& mame_path, const std::string& folder_name);

}  // namespace brantel
