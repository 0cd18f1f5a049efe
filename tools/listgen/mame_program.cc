#include "tools/listgen/mame_program.h"

#include "tools/mame_program.h"

namespace listgen {

std::string MameProgram(const MameSettings& settings) {
  const std::string found = brantel::FindMameProgram(settings.mame_path, settings.executable);
  return found.empty() ? brantel::MameProgramNamed(settings.mame_path, settings.executable) : found;
}

}  // namespace listgen
