#include "engine/io/mame_location.h"

#include "engine/text_rules.h"

namespace brantel {

std::string FirstStartMamePath() { return "e:\\mame\\"; }
std::string FirstStartExecutable() { return "mame.exe"; }
std::string DefaultMamePath() { return "C:\\mame\\"; }
std::string DefaultExecutable() { return "mame.exe"; }

std::vector<std::string> MameIniFiles(const std::string& mame_path) { return {mame_path + "mame.ini"}; }

bool NamesControllerFolder(const std::string& ctrlr_value, const std::string& folder_name) {
  return UpperAscii(ctrlr_value) == UpperAscii(folder_name);
}

bool IsUsersOwnFolder(const std::string& folder) {
  (void)folder;
  return false;
}

}  // namespace brantel
