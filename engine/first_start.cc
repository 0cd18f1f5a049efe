#include "engine/first_start.h"

#include <exception>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/mame_location.h"
#include "engine/mame_use.h"
#include "engine/old_folders.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"
#include "engine/window.h"
#include "tools/mame_program.h"

namespace brantel {
namespace {

// The MAME path for which "<path>ctrlr\" is `ctrlr_folder`; none for a
// folder of another name, which the texts cannot name.
std::optional<std::string> MamePathOfCtrlr(const std::string& ctrlr_folder) {
  const std::string folder = WithoutTrailingSeparators(ctrlr_folder);
  if (UpperAscii(LastPathPiece(folder)) != "CTRLR") return std::nullopt;
  return JoinPath(FolderOfFile(folder), "");
}

std::string MamePathAsMameSays(const MameCtrlrSettings& settings, const std::string& mame_folder) {
  std::optional<std::string> users, systems;
  for (const std::string& entry : Split(settings.ctrlrpath, ';')) {
    if (TrimSpaces(entry).empty()) continue;
    const std::string ctrlr = MameSearchFolder(entry, mame_folder);
    const std::optional<std::string> path = MamePathOfCtrlr(ctrlr);
    if (!path || OldFolderChoices(*path).empty()) continue;
    std::optional<std::string>& kind = IsUsersOwnFolder(ctrlr) ? users : systems;
    if (!kind) kind = path;
  }
  if (users) return *users;
  if (systems) return *systems;
  const std::vector<std::string> inipath = Split(settings.inipath, ';');
  if (inipath.empty() || TrimSpaces(inipath[0]).empty()) return "";
  return JoinPath(WithoutTrailingSeparators(MameSearchFolder(inipath[0], mame_folder)), "");
}

std::optional<std::string> OnlyOldFolder(const std::string& mame_path) {
  const std::vector<std::string> choices = OldFolderChoices(mame_path);
  if (choices.size() == 1) return choices[0];
  return std::nullopt;
}

}  // namespace

FoundMame MameTextsFor(const std::string& program) {
  FoundMame found;
  const std::string mame_folder = JoinPath(FolderOfFile(program), "");
  try {
    if (const std::optional<MameCtrlrSettings> settings = AskMameSettings(mame_folder, program)) {
      found.mame_path = MamePathAsMameSays(*settings, mame_folder);
    }
    if (found.mame_path.empty() && FolderExists(JoinPath(mame_folder, "ctrlr"))) found.mame_path = mame_folder;
  } catch (const std::exception&) {
    // Not told: the texts stay as they are.
  }
  const std::string name = LastPathPiece(program);
  const std::string looked_in = found.mame_path.empty() ? FirstStartMamePath() : found.mame_path;
  found.executable = FindMameProgram(looked_in, name) == program ? name : program;
  return found;
}

std::optional<std::string> FittingFolderName(const std::string& mame_path) {
  if (std::optional<std::string> named = OldFolderOfMameIni(mame_path)) return named;
  return OnlyOldFolder(mame_path);
}

std::optional<std::string> FolderNameForNewPath(const std::string& mame_path, const std::string& folder_name) {
  if (std::optional<std::string> named = OldFolderOfMameIni(mame_path)) return named;
  if (!HostFolderName(WithoutQuotes(folder_name)).empty() && FolderExists(OldFolderPath(mame_path, folder_name))) {
    return std::nullopt;
  }
  return OnlyOldFolder(mame_path);
}

}  // namespace brantel
