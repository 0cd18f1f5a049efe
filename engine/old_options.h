// Options that old MAME read from a controller INI file beside its input
// mappings, and the option of MAME 0.251 that does the same job now.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brantel {

struct OldOption {
  std::string name;     // as the line wrote it
  std::string current;  // MAME 0.251's option for the job, empty when none
  bool names_ini_file;  // an "*_ini" option: its value names an INI file
};

// Nothing when `name` is no option old MAME read (letter case ignored).
std::optional<OldOption> FindOldOption(std::string_view name);

// Every option of MAME 0.251 that FindOldOption can name, for checking
// against MAME's own list.
std::vector<std::string> CurrentOptionNames();

}  // namespace brantel
