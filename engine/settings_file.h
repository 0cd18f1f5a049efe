// The settings file "brantel.cfg" (where it lives: engine/program_files.h):
// the old folder's name, the MAME path and the executable name, one a line,
// and the check box's value as a fourth line when the window wrote it.
// Convert, the windows and the list generator all read and write it here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brantel {

inline constexpr const char* kSettingsFileName = "brantel.cfg";

struct Settings {
  std::string folder_name;
  std::string mame_path;
  std::string executable;
  std::optional<long> check_box;  // no fourth line when absent
};

// The first four lines at most, each trimmed of spaces; fewer when the file
// holds fewer. A line longer than kSettingsLineLimit bytes (no text the user
// types is that long) is cut, so a damaged file cannot exhaust memory, and a
// note for each such line goes to `cut_notes` when given. Throws IoError
// naming the file when it cannot be read.
inline constexpr size_t kSettingsLineLimit = 64 * 1024;
std::vector<std::string> ReadSettingsLines(const std::string& path, std::vector<std::string>* cut_notes = nullptr);

// Replaces the file (never left half-written), unless it holds the same
// bytes already. Throws IoError naming it.
void WriteSettings(const std::string& path, const Settings& settings);

// The MAME path as it is kept and used: ending in "\" (on POSIX, "/", or a
// "\" that a path saved by an earlier version ends in).
std::string KeptMamePath(std::string_view typed_path);

}  // namespace brantel
