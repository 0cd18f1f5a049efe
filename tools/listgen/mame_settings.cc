#include "tools/listgen/mame_settings.h"

#include <stdexcept>
#include <vector>

#include "engine/io/line_file.h"
#include "engine/text_rules.h"

namespace listgen {
namespace {

// The first `count` lines of the settings file, read as the window reads it.
std::vector<std::string> ReadLines(const std::string& file, std::size_t count) {
  std::vector<std::string> lines;
  for (brantel::LineReader reader(file); !reader.AtEnd() && lines.size() < count;) {
    lines.push_back(reader.ReadLine());
  }
  return lines;
}

}  // namespace

MameSettings ReadMameSettings(const std::string& settings_file) {
  std::vector<std::string> lines = ReadLines(settings_file, 3);
  lines.resize(3);
  MameSettings settings{brantel::TrimSpaces(lines[1]), brantel::TrimSpaces(lines[2])};
  if (settings.executable.empty()) {
    throw std::runtime_error("\"" + settings_file + "\" names no MAME executable in its line 3");
  }
  settings.mame_path = brantel::WithTrailingBackslash(settings.mame_path);
  return settings;
}

}  // namespace listgen
