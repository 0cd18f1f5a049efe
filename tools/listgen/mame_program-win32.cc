#include "tools/listgen/mame_program.h"

namespace listgen {

// Windows takes the path as typed; a name without ".exe" is completed by the
// process start itself.
std::string MameProgram(const MameSettings& settings) {
  return settings.mame_path + settings.executable;
}

}  // namespace listgen
