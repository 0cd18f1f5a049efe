#include "engine/master_list.h"

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/master_list_record.h"
#include "engine/text_rules.h"

namespace brantel {

MasterList::MasterList(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) AddLine(line);
}

void MasterList::AddLine(const std::string& line) {
  using namespace master_list;
  std::vector<std::string> fields = Split(line, kSeparator);
  const std::string& name = FieldOf(fields, kName);
  // A line matches only when it belongs to MAME, and decides only when it
  // tells the number of players.
  if (FieldOf(fields, kEmulator) != kMame || FieldOf(fields, kPlayers).empty()) return;
  Group group = FieldOf(fields, kParent) == name ? Group::kParent : Group::kRom;
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
