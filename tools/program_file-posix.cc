#include <sys/stat.h>
#include <unistd.h>

#include "engine/text_rules.h"
#include "tools/program_file.h"

namespace brantel {
namespace {

bool IsRunnableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string ProgramFileForWindowsName(const std::string& path) {
  if (IsRunnableFile(path)) return path;
  const std::string suffix = ".EXE";
  if (path.size() > suffix.size() && UpperAscii(path.substr(path.size() - suffix.size())) == suffix) {
    std::string bare = path.substr(0, path.size() - suffix.size());
    if (IsRunnableFile(bare)) return bare;
  }
  return "";
}

}  // namespace brantel
