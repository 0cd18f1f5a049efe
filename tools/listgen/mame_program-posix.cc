#include "engine/io/host_path.h"
#include "tools/listgen/mame_program.h"
#include "tools/program_file.h"

namespace listgen {

std::string MameProgram(const MameSettings& settings) {
  const std::string program = brantel::HostPath(settings.mame_path + settings.executable);
  const std::string found = brantel::ProgramFileForWindowsName(program);
  return found.empty() ? program : found;
}

}  // namespace listgen
