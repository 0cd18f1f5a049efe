// The old controller folders a user can choose from: the folders under the
// MAME folder's ctrlr that hold INI files, and the one MAME's own mame.ini
// names in its ctrlr entry.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brantel {

// The names of the folders in "<mame_path>ctrlr\" that hold at least one INI
// file, sorted without regard to case. Empty when there is no such folder
// or it cannot be read: the choice is only a help to typing.
std::vector<std::string> OldFolderChoices(const std::string& mame_path);

// The folder that the "ctrlr" line of a mame.ini for `mame_path` names (the
// first of MameIniFiles whose line names one of OldFolderChoices), as it is
// named on disk; otherwise nothing. A mame.ini that cannot be read is passed
// over.
std::optional<std::string> OldFolderOfMameIni(const std::string& mame_path);

}  // namespace brantel
