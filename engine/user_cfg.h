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

class LinePrinter;

// Where one `system` element lies among the bytes SplitUserCfg gives its
// printer: its re-serialised bytes, lines ending in CR LF but for the last,
// counted from the first byte of this call's.
struct UserSystemPlace {
  std::string_view name;  // its name attribute
  std::uint64_t offset;
  std::uint64_t size;
};

// Writes every `system` element directly inside the root `mameconfig` of the
// file at `cfg_path`, one after another, into `out`, and tells `found` of
// each, in document order; namespace declarations of the root go along onto
// each. Returns the root element's name: a file with another root gives no
// system. The file is read once; the parser holds no more than the longest
// line, however many systems the file holds. Throws
// IoError naming `cfg_path` when it cannot be read, is not well-formed XML,
// uses an entity whose text is not in the file, or nests more than 1000
// levels; std::runtime_error when a stop is requested while it is read.
std::string SplitUserCfg(const std::string& cfg_path, LinePrinter& out,
                         const std::function<void(const UserSystemPlace&)>& found);

}  // namespace brantel
