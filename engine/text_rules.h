// Text rules shared by the whole conversion. Comparisons are exact and
// case-sensitive unless a name says otherwise.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brantel {

// Removes spaces (and nothing else) from both ends.
std::string TrimSpaces(std::string_view text);

// n separators give n + 1 pieces, empty ones included; the empty text gives
// no piece at all.
std::vector<std::string> Split(std::string_view text, char separator);

// Deletes every occurrence of `removed`.
std::string RemoveAll(std::string_view text, std::string_view removed);
std::string RemoveChars(std::string_view text, std::string_view chars);

bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view prefix);

// The MAME path as the system uses it: ending in "\" (or, on POSIX, in "/",
// the host's form of it).
std::string WithTrailingBackslash(std::string_view path);

// Upper case for the letters a to z only.
std::string UpperAscii(std::string_view text);

}  // namespace brantel
