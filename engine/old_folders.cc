#include "engine/old_folders.h"

#include <algorithm>

#include "engine/io/file_list.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/mame_location.h"
#include "engine/mame_use.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

bool HoldsIniFiles(const std::string& folder) {
  try {
    const std::vector<std::string> names = OrdinaryFileNames(folder);
    return std::any_of(names.begin(), names.end(), [](const std::string& name) { return MatchesPattern(name, "*.ini"); });
  } catch (const IoError&) {
    return false;
  }
}

}  // namespace

std::vector<std::string> OldFolderChoices(const std::string& mame_path) {
  const std::string ctrlr = HostPath(KeptMamePath(WithoutQuotes(mame_path)) + "ctrlr\\");
  std::vector<std::string> choices;
  try {
    for (std::string& name : FolderNamesStartingWith(ctrlr, "")) {
      if (name == "." || name == "..") continue;  // ctrlr itself and the MAME folder
      if (HoldsIniFiles(ctrlr + name)) choices.push_back(std::move(name));
    }
  } catch (const IoError&) {
    return {};
  }
  std::sort(choices.begin(), choices.end(), LessWithoutCase);
  return choices;
}

std::optional<std::string> OldFolderOfMameIni(const std::string& mame_path) {
  const std::vector<std::string> choices = OldFolderChoices(mame_path);
  for (const std::string& mame_ini : MameIniFiles(KeptMamePath(WithoutQuotes(mame_path)))) {
    std::optional<std::string> value;
    try {
      value = CtrlrValue(mame_ini);
    } catch (const IoError&) {
      continue;  // none there, or unreadable: MAME would not read it either
    }
    if (!value) continue;
    for (const std::string& choice : choices) {
      if (NamesControllerFolder(*value, choice)) return choice;
    }
  }
  return std::nullopt;
}

}  // namespace brantel
