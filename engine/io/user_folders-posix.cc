#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/user_folders.h"

namespace brantel {
namespace {

// The XDG variable when it holds an absolute path (others are to be
// ignored), otherwise the default under the home folder.
std::string XdgFolder(const char* variable, const char* under_home) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    throw IoError("Could not find the user's folder", std::string("$HOME/") + under_home, "HOME is not set");
  }
  return JoinPath(home, under_home);
}

}  // namespace

std::string UserSettingsFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }
std::string UserCacheFolder() { return XdgFolder("XDG_CACHE_HOME", ".cache"); }

void MakeFolderIfMissing(const std::string& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && !(errno == EEXIST && FolderExists(folder))) {
    throw IoError("Could not make the folder", folder, SystemReason(errno));
  }
}

}  // namespace brantel
