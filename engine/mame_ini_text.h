// Options set in the text of a mame.ini as MAME reads it: every other byte
// (line ends, comments, order, the other options) stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brantel {

// One option line as it goes into the file: "ctrlr arcade".
struct MameIniOption {
  std::string name;
  std::string value;
};

// The line "NAME VALUE", the value in quotes when MAME would otherwise cut it
// (a space, a tab or a "#" in it).
std::string MameIniLine(const MameIniOption& option);

// True when MAME can read `value` back as it is: no quote and no line end in it.
bool MameIniCanHold(const std::string& value);

// The value of the last line of `text` that sets `name`, as MAME keeps it
// (quotes taken off, a "#" outside quotes starting a comment); empty when
// none sets it.
std::string MameIniValue(std::string_view text, std::string_view name);

// `text` with each option set: the last line that sets it (the one MAME
// keeps) has its name and value replaced by MameIniLine, its indentation and
// comment kept; an option no line sets goes on a line of its own at the end,
// ended as the file's first line is (LF in a file without one).
std::string WithMameIniOptions(std::string text, const std::vector<MameIniOption>& options);

}  // namespace brantel
