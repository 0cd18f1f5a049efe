#include "engine/old_folders.h"

#include <algorithm>

#include "engine/io/file_list.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/mame_location.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

std::string MameFolder(const std::string& mame_path) { return HostPath(KeptMamePath(WithoutQuotes(mame_path))); }

bool HoldsIniFiles(const std::string& folder) {
  try {
    const std::vector<std::string> names = OrdinaryFileNames(folder);
    return std::any_of(names.begin(), names.end(), [](const std::string& name) { return MatchesPattern(name, "*.ini"); });
  } catch (const IoError&) {
    return false;
  }
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> LinesOf(const std::string& path) {
  std::vector<std::string> lines;
  LineReader reader(path, LineReader::Marks::kHonour);
  while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
  return lines;
}

}  // namespace

std::vector<std::string> OldFolderChoices(const std::string& mame_path) {
  const std::string ctrlr = HostPath(KeptMamePath(WithoutQuotes(mame_path)) + "ctrlr\\");
  std::vector<std::string> choices;
  try {
    for (std::string& name : FolderNamesStartingWith(ctrlr, "")) {
      if (name == "." || name == "..") continue;  // ctrlr itself and the MAME folder
      if (HoldsIniFiles(ctrlr + name)) choices.push_back(std::move(name));
    }
  } catch (const IoError&) {
    return {};
  }
  std::sort(choices.begin(), choices.end(), LessWithoutCase);
  return choices;
}

std::optional<std::string> CtrlrEntry(const std::vector<std::string>& lines) {
  std::optional<std::string> entry;
  for (const std::string& line : lines) {
    size_t at = 0;
    while (at < line.size() && IsSpace(line[at])) ++at;
    const size_t name_end = std::find_if(line.begin() + static_cast<long>(at), line.end(), IsSpace) - line.begin();
    if (line.compare(at, name_end - at, "ctrlr") != 0 || name_end == line.size()) continue;
    bool quoted = false;
    size_t value_end = name_end;
    for (; value_end < line.size(); ++value_end) {
      if (line[value_end] == '"') quoted = !quoted;
      if (line[value_end] == '#' && !quoted) break;
    }
    std::string value(line, name_end, value_end - name_end);
    while (!value.empty() && (IsSpace(value.back()) || value.back() == '\r')) value.pop_back();
    value.erase(0, value.find_first_not_of(" \t"));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    entry = value;
  }
  if (entry && entry->empty()) return std::nullopt;
  return entry;
}

std::optional<std::string> OldFolderOfMameIni(const std::string& mame_path) {
  const std::vector<std::string> choices = OldFolderChoices(mame_path);
  for (const std::string& mame_ini : MameIniFiles(MameFolder(mame_path))) {
    std::optional<std::string> name;
    try {
      name = CtrlrEntry(LinesOf(mame_ini));
    } catch (const IoError&) {
      continue;  // none there, or unreadable: MAME would not read it either
    }
    if (name && std::find(choices.begin(), choices.end(), *name) != choices.end()) return name;
  }
  return std::nullopt;
}

}  // namespace brantel
