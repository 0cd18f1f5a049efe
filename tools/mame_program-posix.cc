#include "engine/io/host_path.h"
#include "tools/mame_program.h"
#include "tools/program_file.h"

namespace brantel {
namespace {

bool HoldsNoFolder(const std::string& executable) {
  return executable.find_first_of("/\\") == std::string::npos;
}

}  // namespace

std::string MameProgramNamed(const std::string& mame_path, const std::string& executable) {
  return HostPath(executable.starts_with('/') ? executable : mame_path + executable);
}

std::string FindMameProgram(const std::string& mame_path, const std::string& executable) {
  if (executable.empty()) return "";
  std::string found = ProgramFileForWindowsName(MameProgramNamed(mame_path, executable));
  // Debian's MAME runs from the search path, away from the folder of its data.
  if (found.empty() && HoldsNoFolder(executable)) found = ProgramFileOnSearchPath(executable);
  return found;
}

std::string MameProgramLookedFor(const std::string& mame_path, const std::string& executable) {
  if (executable.empty()) return HostPath(mame_path) + kEmptyExecutableName;
  const std::string in_folder = MameProgramNamed(mame_path, executable);
  return HoldsNoFolder(executable) ? in_folder + ", or " + executable + " on the PATH" : in_folder;
}

std::vector<std::string> InstalledMamePrograms(const std::string& program_folder) {
  (void)program_folder;  // Debian's MAME is never beside this program
  std::string found = ProgramFileOnSearchPath("mame");
  if (found.empty()) found = ProgramFileForWindowsName("/usr/games/mame");
  if (found.empty()) return {};
  return {found};
}

}  // namespace brantel
