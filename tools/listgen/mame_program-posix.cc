#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "engine/io/host_path.h"
#include "tools/listgen/mame_program.h"

namespace listgen {
namespace {

bool EndsWithExe(const std::string& name) {
  constexpr std::string_view kSuffix = ".exe";
  if (name.size() <= kSuffix.size()) return false;
  return std::equal(kSuffix.begin(), kSuffix.end(), name.end() - kSuffix.size(),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace

std::string MameProgram(const MameSettings& settings) {
  const std::string program = brantel::HostPath(settings.mame_path + settings.executable);
  if (EndsWithExe(program) && !FileExists(program)) {
    std::string without_suffix = program.substr(0, program.size() - 4);
    if (FileExists(without_suffix)) return without_suffix;
  }
  return program;
}

}  // namespace listgen
