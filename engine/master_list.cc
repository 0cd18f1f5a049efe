#include "engine/master_list.h"

#include <array>
#include <string_view>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/master_list_record.h"
#include "engine/text_rules.h"

namespace brantel {

namespace {

using master_list::kFieldCount;
using LineFields = std::array<std::string_view, kFieldCount>;

// The fields the classification reads, as views into `line` (fields a short
// line lacks stay empty); returns how many fields the line holds. The list
// is read once per Convert: no field is copied.
size_t SplitFields(std::string_view line, LineFields& fields) {
  fields = {};
  size_t count = 0;
  for (size_t start = 0;; ++count) {
    const size_t bar = line.find(master_list::kSeparator, start);
    if (count < kFieldCount) fields[count] = line.substr(start, bar == std::string_view::npos ? bar : bar - start);
    if (bar == std::string_view::npos) return count + 1;
    start = bar + 1;
  }
}

// A line the list generator did not write whole (a list cut short, binary
// bytes, LF line ends) would order the sections as if its names were
// unknown: the list generator ends every line in CR LF and writes no NUL.
void CheckLine(std::string_view line, bool crlf, size_t fields, size_t number, const std::string& path) {
  std::string fault;
  if (fields < kFieldCount) {
    fault = "has " + std::to_string(fields) + " fields where " + std::to_string(kFieldCount) + " are needed";
  } else if (line.find('\0') != std::string_view::npos) {
    fault = "holds a NUL byte";
  } else if (!crlf) {
    fault = "does not end in CR LF";
  }
  if (fault.empty()) return;
  throw IoError("Could not use the master list", path, "Its line " + std::to_string(number) + " " + fault);
}

}  // namespace

MasterList::MasterList(const std::vector<std::string>& lines) {
  LineFields fields;
  for (const std::string& line : lines) {
    SplitFields(line, fields);
    AddLine(fields);
  }
}

void MasterList::AddLine(const LineFields& fields) {
  using namespace master_list;
  // A line matches only when it belongs to MAME, and decides only when it
  // tells the number of players.
  if (fields[kEmulator] != kMame || fields[kPlayers].empty()) return;
  Group group = fields[kParent] == fields[kName] ? Group::kParent : Group::kRom;
  decided_.emplace(UpperAscii(fields[kName]), group);  // keeps the first deciding line
}

MasterList MasterList::Load(const std::string& path) {
  if (FolderExists(path)) throw IoError("Could not read the master list", path, "It is a folder, not a file");
  // Only an ordinary file is opened: a FIFO there would make the open wait for ever.
  if (FileNameIfPresent(path).empty()) {
    throw IoError("The list generator did not produce the master list", path, "There is no ordinary file of that name");
  }
  MasterList list({});
  list.decided_.reserve(1 << 16);  // MAME lists some 45,000 machines
  size_t number = 0;
  LineFields fields;
  try {
    for (LineReader reader(path); !reader.AtEnd();) {
      const std::string_view line = reader.ReadLineView();
      CheckLine(line, reader.LastLineEndedInCrLf(), SplitFields(line, fields), ++number, path);
      list.AddLine(fields);
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
