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

// The value of the last "ctrlr" entry among mame.ini's lines, as MAME reads
// it: after the name and white space, up to a "#" outside quotes, trimmed,
// its quotes dropped. Nothing when there is no entry or it is empty.
std::optional<std::string> CtrlrEntry(const std::vector<std::string>& lines);

// The folder that the "ctrlr" entry of a mame.ini for `mame_path` names
// (the first of MameIniFiles whose entry is one of OldFolderChoices);
// otherwise nothing. A mame.ini that cannot be read is passed over.
std::optional<std::string> OldFolderOfMameIni(const std::string& mame_path);

}  // namespace brantel
