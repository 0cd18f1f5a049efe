#include "engine/master_list.h"

#include <algorithm>

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

namespace {

// A line the list generator did not write whole (a list cut short, binary
// bytes, LF line ends) would order the sections as if its names were unknown.
void CheckLine(const std::string& line, size_t number, const std::string& path) {
  using namespace master_list;
  const auto fields = static_cast<size_t>(std::count(line.begin(), line.end(), kSeparator)) + 1;
  std::string fault;
  if (line.find('\n') != std::string::npos) {
    fault = "does not end in CR LF";
  } else if (fields < kFieldCount) {
    fault = "has " + std::to_string(fields) + " fields where " + std::to_string(kFieldCount) + " are needed";
  }
  if (fault.empty()) return;
  throw IoError("Could not use the master list", path, "Its line " + std::to_string(number) + " " + fault);
}

}  // namespace

MasterList MasterList::Load(const std::string& path) {
  if (FolderExists(path)) throw IoError("Could not read the master list", path, "It is a folder, not a file");
  MasterList list({});
  size_t number = 0;
  try {
    for (LineReader reader(path); !reader.AtEnd();) {
      const std::string line = reader.ReadLine();
      ++number;
      CheckLine(line, number, path);
      list.AddLine(line);
    }
  } catch (const IoError& error) {
    if (!FileNameIfPresent(path).empty()) throw;
    throw IoError("The list generator did not produce the master list", path, error.reason());
  }
  // An empty list would put every section in the order of an unknown name.
  if (number == 0) throw IoError("Could not use the master list", path, "It is empty");
  return list;
}

Group MasterList::GroupOf(const std::string& base_name) const {
  auto found = decided_.find(UpperAscii(base_name));
  return found == decided_.end() ? Group::kDriver : found->second;
}

}  // namespace brantel
