#include "tools/listgen/mame_settings.h"

#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "engine/io/io_error.h"

namespace listgen {
namespace {

std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The first `count` lines, each without its CR LF (or lone LF) ending.
std::vector<std::string> ReadLines(const std::string& file, std::size_t count) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw brantel::IoError("Could not open the file for reading", file, brantel::SystemReason(errno));
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < count && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (in.bad()) throw brantel::IoError("Could not read", file, brantel::SystemReason(errno));
  return lines;
}

}  // namespace

MameSettings ReadMameSettings(const std::string& settings_file) {
  std::vector<std::string> lines = ReadLines(settings_file, 3);
  lines.resize(3);
  MameSettings settings{TrimSpaces(lines[1]), TrimSpaces(lines[2])};
  if (settings.executable.empty()) {
    throw std::runtime_error("\"" + settings_file + "\" names no MAME executable in its line 3");
  }
  if (settings.mame_path.empty() || settings.mame_path.back() != '\\') settings.mame_path += '\\';
  return settings;
}

}  // namespace listgen
