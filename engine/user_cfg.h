// A cfg file of the user's own in the old folder (one MAME wrote, one from an
// earlier Convert, or one written by hand). It is read with an XML parser, so
// that whatever its layout, line ends or attributes, each of its `system`
// elements comes out whole: every child element, attribute and comment. The
// file itself is never changed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace brantel {

// Where one `system` element lies in the file SplitUserCfg writes: its
// re-serialised bytes, lines ending in CR LF but for the last.
struct UserSystemPlace {
  std::string_view name;  // its name attribute
  std::uint64_t offset;
  std::uint64_t size;
};

// Writes every `system` element of the file at `cfg_path` that lies in no
// other, one after another, into the new file `out_path` (in a folder of the
// program's own), and tells `found` of each, in document order. Memory stays
// bounded by the longest line, however many systems the file holds. Throws
// IoError naming `cfg_path` when it cannot be read or is not well-formed XML,
// and std::runtime_error when a stop is requested while it is read.
void SplitUserCfg(const std::string& cfg_path, const std::string& out_path,
                  const std::function<void(const UserSystemPlace&)>& found);

}  // namespace brantel
