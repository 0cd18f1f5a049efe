// The MAME program file that the settings name, in the host's path form.
#pragma once

#include <string>

#include "tools/listgen/mame_settings.h"

namespace listgen {

// The program FindMameProgram finds for the settings (tools/mame_program.h),
// or the path as the settings spell it when there is none, so that the
// failure to start it names what was typed.
std::string MameProgram(const MameSettings& settings);

}  // namespace listgen
