// How old MAME's option reader read one line of a controller INI file: the
// name is the first word; the value is the next word, or the text between
// two quotes (" or '); after it, a word that begins with "#" is a remark and
// any other word makes the line one that old MAME ignored.
#pragma once

#include <string>
#include <string_view>

namespace brantel {

// Views of the line read, valid while it is.
struct OldIniReading {
  std::string_view name;    // empty for a line of blanks
  std::string_view value;   // empty when there is none
  char quote = 0;           // the quote around the value, 0 when none
  std::string_view remark;  // from its "#" to the end, empty when none
  bool ignored = false;  // a further word after the value
};

// Words end at spaces and tabs (the line's CR and LF are already gone).
OldIniReading ReadAsOldMame(std::string_view line);

// True when old MAME applied the line as a name and a value.
bool HasValue(const OldIniReading& reading);

}  // namespace brantel
