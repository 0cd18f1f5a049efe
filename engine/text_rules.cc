#include "engine/text_rules.h"

#include "engine/io/host_path.h"

namespace brantel {

std::string TrimSpaces(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1) {
    pieces.emplace_back(text.substr(start, at - start));
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string RemoveAll(std::string_view text, std::string_view removed) {
  if (removed.empty()) return std::string(text);
  std::string result;
  size_t start = 0;
  for (size_t at; (at = text.find(removed, start)) != std::string_view::npos;
       start = at + removed.size()) {
    result.append(text.substr(start, at - start));
  }
  result.append(text.substr(start));
  return result;
}

std::string RemoveChars(std::string_view text, std::string_view chars) {
  std::string result;
  for (char c : text) {
    if (chars.find(c) == std::string_view::npos) result += c;
  }
  return result;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string result(path);
  // On POSIX a final "/" is the separator that "\" maps to, so it counts.
  if (result.empty() || HostPath(result).back() != HostPath("\\").back()) result += '\\';
  return result;
}

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

}  // namespace brantel
