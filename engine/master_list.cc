#include "engine/master_list.h"

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

const std::string& Field(const std::vector<std::string>& fields, size_t index) {
  static const std::string kMissing;
  return index < fields.size() ? fields[index] : kMissing;
}

}  // namespace

MasterList::MasterList(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) AddLine(line);
}

void MasterList::AddLine(const std::string& line) {
  std::vector<std::string> fields = Split(line, '|');
  const std::string& name = Field(fields, 0);
  // A line matches only when it belongs to MAME, and decides only when it
  // tells the number of players.
  if (Field(fields, 5) != "MAME" || Field(fields, 9).empty()) return;
  Group group = Field(fields, 4) == name ? Group::kParent : Group::kRom;
  decided_.emplace(UpperAscii(name), group);  // keeps the first deciding line
}

MasterList MasterList::Load(const std::string& path) {
  if (FolderExists(path)) throw IoError("Could not read the master list", path, "It is a folder, not a file");
  MasterList list({});
  try {
    for (LineReader reader(path); !reader.AtEnd();) list.AddLine(reader.ReadLine());
  } catch (const IoError& error) {
    if (!FileNameIfPresent(path).empty()) throw;
    throw IoError("The list generator did not produce the master list", path, error.reason());
  }
  return list;
}

Group MasterList::GroupOf(const std::string& base_name) const {
  auto found = decided_.find(UpperAscii(base_name));
  return found == decided_.end() ? Group::kDriver : found->second;
}

}  // namespace brantel
