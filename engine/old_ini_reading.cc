#include "engine/old_ini_reading.h"

namespace brantel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(std::string_view line, size_t at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  return at;
}

size_t WordEnd(std::string_view line, size_t at) {
  while (at < line.size() && !IsBlank(line[at])) ++at;
  return at;
}

}  // namespace

OldIniReading ReadAsOldMame(std::string_view line) {
  OldIniReading reading;
  size_t at = SkipBlanks(line, 0);
  size_t end = WordEnd(line, at);
  reading.name = line.substr(at, end - at);
  if (reading.name.empty() || reading.name[0] == '#') return reading;
  at = SkipBlanks(line, end);
  if (at < line.size() && (line[at] == '"' || line[at] == '\'')) {
    reading.quote = line[at];
    end = line.find(reading.quote, at + 1);
    reading.value = line.substr(at + 1, end == std::string_view::npos ? end : end - at - 1);
    end = end == std::string_view::npos ? line.size() : end + 1;
  } else {
    end = WordEnd(line, at);
    reading.value = line.substr(at, end - at);
  }
  at = SkipBlanks(line, end);
  if (at == line.size()) return reading;
  if (line[at] == '#') {
    reading.remark = line.substr(at);
  } else {
    reading.ignored = true;
  }
  return reading;
}

bool HasValue(const OldIniReading& reading) {
  return !reading.ignored && !reading.name.empty() && reading.name[0] != '#' && (reading.quote != 0 || !reading.value.empty());
}

}  // namespace brantel
