#include "engine/io/host_path.h"
#include "engine/io/mame_location.h"

namespace brantel {
namespace {

// The folder where Debian's MAME keeps its data, ending in "/". A home that
// ends in "/" (or is "/") gives no doubled separator.
std::string MameDataFolder() {
  std::string home = HomeFolder();
  while (!home.empty() && home.back() == '/') home.pop_back();
  return home + "/mame/";
}

}  // namespace

std::string FirstStartMamePath() { return MameDataFolder(); }
std::string FirstStartExecutable() { return "mame"; }
std::string DefaultMamePath() { return MameDataFolder(); }
std::string DefaultExecutable() { return "mame"; }

std::vector<std::string> MameIniFiles(const std::string& mame_path) {
  std::string home = HomeFolder();
  while (!home.empty() && home.back() == '/') home.pop_back();
  return {HostPath(mame_path + "mame.ini"), home + "/.mame/mame.ini"};
}

bool NamesControllerFolder(const std::string& ctrlr_value, const std::string& folder_name) {
  return ctrlr_value == folder_name;
}

bool IsUsersOwnFolder(const std::string& folder) {
  std::string home = HomeFolder();
  while (!home.empty() && home.back() == '/') home.pop_back();
  return !home.empty() && folder.starts_with(home + "/");
}

}  // namespace brantel
