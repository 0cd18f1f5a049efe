#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "tools/mame_program.h"

namespace brantel {

// A full path (C:\mame\mame.exe, \\server\mame.exe, \mame.exe) stands on its own.
std::string MameProgramNamed(const std::string& mame_path, const std::string& executable) {
  const bool full = executable.starts_with('\\') || executable.starts_with('/') ||
                    (executable.size() > 1 && executable[1] == ':');
  return full ? executable : mame_path + executable;
}

std::string FindMameProgram(const std::string& mame_path, const std::string& executable) {
  if (executable.empty()) return "";
  const std::string program = MameProgramNamed(mame_path, executable);
  if (!FileNameIfPresent(program).empty()) return program;
  const size_t name = program.find_last_of("\\/");
  const bool has_extension = program.find('.', name == std::string::npos ? 0 : name) != std::string::npos;
  if (!has_extension && !FileNameIfPresent(program + ".exe").empty()) return program + ".exe";
  return "";
}

std::string MameProgramLookedFor(const std::string& mame_path, const std::string& executable) {
  return executable.empty() ? mame_path + kEmptyExecutableName : MameProgramNamed(mame_path, executable);
}

std::vector<std::string> InstalledMamePrograms(const std::string& program_folder) {
  std::vector<std::string> found;
  for (std::string folder = WithoutTrailingSeparators(program_folder); !folder.empty();) {
    const std::string program = JoinPath(folder, "mame.exe");
    if (!FileNameIfPresent(program).empty()) found.push_back(program);
    const std::string above = WithoutTrailingSeparators(FolderOfFile(folder));
    if (above == folder || above == ".") break;
    folder = above;
  }
  return found;
}

}  // namespace brantel
