#include "engine/io/host_path.h"
#include "tools/listgen/mame_program.h"
#include "tools/program_file.h"

namespace listgen {

std::string MameProgram(const MameSettings& settings) {
  const std::string program = brantel::HostPath(settings.mame_path + settings.executable);
  std::string found = brantel::ProgramFileForWindowsName(program);
  if (found.empty() && settings.executable.find_first_of("/\\") == std::string::npos) {
    // Debian's MAME runs from the search path, away from the folder of its data.
    found = brantel::ProgramFileOnSearchPath(settings.executable);
  }
  return found.empty() ? program : found;
}

}  // namespace listgen
