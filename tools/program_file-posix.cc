#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

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

std::string ProgramFileOnSearchPath(const std::string& name) {
  std::string search_path;
  if (const char* path = std::getenv("PATH")) {
    search_path = path;
  } else {
    search_path.resize(confstr(_CS_PATH, nullptr, 0));
    if (!search_path.empty()) confstr(_CS_PATH, search_path.data(), search_path.size());
    search_path = search_path.c_str();  // without its final NUL
  }
  for (const std::string& folder : Split(search_path, ':')) {
    // A relative entry ("", ".", "bin") names another folder for each
    // program, and the list generator runs in a folder of its own.
    if (!folder.starts_with('/')) continue;
    const std::string found = ProgramFileForWindowsName(folder + "/" + name);
    if (!found.empty()) return found;
  }
  return "";
}

}  // namespace brantel
