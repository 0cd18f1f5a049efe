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
// ignored), otherwise the default under the home folder: HOME, or without
// one the home of the user's account, as "~" is read.
std::string XdgFolder(const char* variable, const char* under_home) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const std::string home = HomeFolder();
  if (home.empty()) {
    throw IoError("Could not find the user's folder", std::string("$HOME/") + under_home,
                  "HOME is not set, and the user's account names no home folder");
  }
  return JoinPath(home, under_home);
}

}  // namespace

std::string UserSettingsFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }
std::string UserCacheFolder() { return XdgFolder("XDG_CACHE_HOME", ".cache"); }

// The folders above it too, each 0700, as the XDG base directories are to be
// made when they are not there yet.
namespace {

// 0 when the folder is there now, otherwise mkdir's error.
int MadeOrThere(const std::string& folder) {
  if (mkdir(folder.c_str(), 0700) == 0) return 0;
  const int error = errno;
  return error == EEXIST && FolderExists(folder) ? 0 : error;
}

}  // namespace

void MakeFolderIfMissing(const std::string& folder) {
  int error = MadeOrThere(folder);
  const std::string above = FolderOfFile(WithoutTrailingSeparators(folder));
  if (error == ENOENT && above != folder && above != "." && above != "/") {
    MakeFolderIfMissing(above);
    error = MadeOrThere(folder);
  }
  if (error != 0) throw IoError("Could not make the folder", folder, SystemReason(error));
}

}  // namespace brantel
