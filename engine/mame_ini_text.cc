#include "engine/mame_ini_text.h"

#include <optional>

namespace brantel {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Where the parts of an option line lie in the text, as MAME's ini reader
// finds them: leading blanks, the name, blanks, the value (up to a "#"
// outside quotes, blanks trimmed), then the rest.
struct OptionLine {
  size_t start = 0;        // of the name
  size_t name_end = 0;
  size_t value_start = 0;
  size_t value_end = 0;    // trailing blanks excluded
};

// The option set on the line text[begin, end); none for a blank line, a
// comment or a name with no blank after it (MAME warns and skips those).
std::optional<OptionLine> ReadOptionLine(std::string_view text, size_t begin, size_t end) {
  OptionLine line;
  line.start = begin;
  while (line.start < end && IsSpace(text[line.start])) ++line.start;
  if (line.start == end || text[line.start] == '#') return std::nullopt;
  line.name_end = line.start;
  while (line.name_end < end && !IsSpace(text[line.name_end])) ++line.name_end;
  if (line.name_end == end) return std::nullopt;
  line.value_start = line.name_end;
  while (line.value_start < end && IsSpace(text[line.value_start])) ++line.value_start;
  bool quoted = false;
  line.value_end = line.value_start;
  for (size_t at = line.value_start; at < end && (quoted || text[at] != '#'); ++at) {
    if (text[at] == '"') quoted = !quoted;
    line.value_end = at + 1;
  }
  while (line.value_end > line.value_start && IsSpace(text[line.value_end - 1])) --line.value_end;
  return line;
}

// Calls `each` with the start and end of every line, line ends excluded,
// as MAME ends them: at CR LF, CR or LF.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
  for (size_t at = 0; at < text.size();) {
    size_t end = at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    each(at, end);
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    at = end + 1;
  }
}

std::optional<OptionLine> LastLineSetting(std::string_view text, std::string_view name) {
  std::optional<OptionLine> last;
  ForEachLine(text, [&](size_t begin, size_t end) {
    const std::optional<OptionLine> line = ReadOptionLine(text, begin, end);
    if (line && text.substr(line->start, line->name_end - line->start) == name) last = line;
  });
  return last;
}

std::string FirstLineEnd(std::string_view text) {
  const size_t end = text.find_first_of("\r\n");
  if (end == std::string_view::npos || text[end] == '\n') return "\n";
  return end + 1 < text.size() && text[end + 1] == '\n' ? "\r\n" : "\r";
}

}  // namespace

std::string MameIniLine(const MameIniOption& option) {
  const bool quote = option.value.find_first_of(" \t#") != std::string::npos;
  return option.name + " " + (quote ? "\"" + option.value + "\"" : option.value);
}

bool MameIniCanHold(const std::string& value) { return value.find_first_of("\"\r\n") == std::string::npos; }

std::string MameIniValue(std::string_view text, std::string_view name) {
  const std::optional<OptionLine> line = LastLineSetting(text, name);
  if (!line) return "";
  std::string_view value = text.substr(line->value_start, line->value_end - line->value_start);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return std::string(value);
}

std::string WithMameIniOptions(std::string text, const std::vector<MameIniOption>& options) {
  for (const MameIniOption& option : options) {
    const std::optional<OptionLine> line = LastLineSetting(text, option.name);
    if (!line) {
      const std::string end = FirstLineEnd(text);
      if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += end;
      text += MameIniLine(option) + end;
      continue;
    }
    std::string replacement = MameIniLine(option);
    // A comment right after the value stays one.
    if (line->value_end < text.size() && text[line->value_end] == '#') replacement += ' ';
    text.replace(line->start, line->value_end - line->start, replacement);
  }
  return text;
}

}  // namespace brantel
