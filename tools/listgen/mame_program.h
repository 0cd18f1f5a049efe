// The MAME program file that the settings name, in the host's path form.
#pragma once

#include <string>

#include "tools/listgen/mame_settings.h"

namespace listgen {

// The MAME path followed by the executable name. On POSIX every "\" becomes
// "/", and a name ending in ".exe" that is not there is looked for without
// that suffix, so settings made for Windows ("mame.exe") find "mame". When
// neither is there and the executable name holds no folder, it is looked for
// on the search path, as a shell would.
std::string MameProgram(const MameSettings& settings);

}  // namespace listgen
