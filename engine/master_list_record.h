// One line of the master list, as the list generator writes it and the
// Convert command reads it: ten fields separated by "|", in this order.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brantel::master_list {

enum Field : size_t {
  kName,
  kDescription,
  kYear,
  kManufacturer,
  kParent,       // the machine's own name unless it is a clone
  kEmulator,     // kMame on every line that classifies
  kSourceFile,   // without its folder
  kRomOf,
  kFlags,
  kPlayers,      // empty for machines that are not played
  kFieldCount,
};

inline constexpr char kSeparator = '|';
inline constexpr std::string_view kMame = "MAME";

using Fields = std::array<std::string_view, kFieldCount>;

// Appends the line of `fields` to `out`, without its line end. A "|", CR or
// LF inside a text becomes a space, so every line keeps all its fields.
void AppendRecord(const Fields& fields, std::string& out);

// The field `field` of a line already split at its separators; a line too
// short for it reads it as the empty text.
const std::string& FieldOf(const std::vector<std::string>& fields, Field field);

}  // namespace brantel::master_list
