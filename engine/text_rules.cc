#include "engine/text_rules.h"

#include <algorithm>

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
  // `chars` is a few characters: a loop of its own is cheaper than a
  // search call for every character of `text`.
  const auto removed = [chars](char c) {
    for (char r : chars) {
      if (c == r) return true;
    }
    return false;
  };
  const auto first = std::find_if(text.begin(), text.end(), removed);
  std::string result(text.begin(), first);
  for (auto at = first; at != text.end(); ++at) {
    if (!removed(*at)) result += *at;
  }
  return result;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWithBackslash(std::string_view text, bool (*is_lead_byte)(unsigned char)) {
  size_t last = text.size();
  for (size_t at = 0; at < text.size(); at += is_lead_byte(static_cast<unsigned char>(text[at])) ? 2 : 1) {
    last = at;
  }
  return last + 1 == text.size() && text[last] == '\\';
}

std::vector<std::string> PathPieces(std::string_view path, bool (*is_lead_byte)(unsigned char)) {
  std::vector<std::string> pieces;
  if (path.empty()) return pieces;
  size_t start = 0;
  for (size_t at = 0; at < path.size(); at += is_lead_byte(static_cast<unsigned char>(path[at])) ? 2 : 1) {
    if (path[at] != '\\') continue;
    pieces.emplace_back(path.substr(start, at - start));
    start = at + 1;
  }
  pieces.emplace_back(path.substr(start));
  return pieces;
}

std::string WithTrailingSeparator(std::string_view path) {
  std::string result(path);
  // On POSIX a final "/" is the separator that "\" maps to, so it counts,
  // and it is the one added there, as the user would type it.
  const bool ends_in_host_separator = !result.empty() && kHostSeparator == '/' && result.back() == '/';
  if (!EndsWithBackslash(result) && !ends_in_host_separator) result += kHostSeparator;
  return result;
}

std::string WithoutQuotes(std::string_view path) { return RemoveChars(path, "\""); }

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  for (size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '\\') {
      size_t run = line.find_first_not_of('\\', at);
      if (run == std::string_view::npos) run = line.size();
      const size_t count = run - at;
      at = run - 1;
      in_word = true;
      if (run == line.size() || line[run] != '"') {
        word.append(count, '\\');
      } else if (count % 2 == 0 ||
                 (quoted && (run + 1 == line.size() || line[run + 1] == ' ' || line[run + 1] == '\t'))) {
        // Halved before a quote that groups; a "\" before the quote that
        // closes a word is the path's own final backslash.
        word.append((count + 1) / 2, '\\');
      } else {
        // An escaped quote, which no path holds: dropped.
        word.append(count / 2, '\\');
        ++at;
      }
    } else if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

bool IsWindowsDeviceName(std::string_view name) {
  // Windows ignores the extension and trailing spaces: "nul.ini" and
  // "NUL .txt" are the device NUL.
  std::string base = UpperAscii(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  if (base == "CONIN$" || base == "CONOUT$") return true;  // the console's input and output
  return base.size() == 4 && (StartsWith(base, "COM") || StartsWith(base, "LPT")) && base[3] >= '1' &&
         base[3] <= '9';
}

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

}  // namespace brantel
