#include "tools/listgen/mame_settings.h"

#include <stdexcept>
#include <vector>

#include "engine/settings_file.h"

namespace listgen {

MameSettings ReadMameSettings(const std::string& settings_file) {
  std::vector<std::string> lines = brantel::ReadSettingsLines(settings_file);
  lines.resize(3);
  MameSettings settings{lines[1], lines[2]};
  if (settings.executable.empty()) {
    throw std::runtime_error("\"" + settings_file + "\" names no MAME executable in its line 3");
  }
  settings.mame_path = brantel::KeptMamePath(settings.mame_path);
  return settings;
}

}  // namespace listgen
