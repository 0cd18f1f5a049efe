// The master list of MAME's machines that the list generator writes, one
// line per machine (engine/master_list_record.h). Only the name, parent,
// emulator and players are read.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/master_list_record.h"

namespace brantel {

enum class Group {
  kDriver,  // no line decides: drivers, BIOS sets, devices, unknown names
  kParent,
  kRom,     // clones and other classified machines
};

class MasterList {
 public:
  explicit MasterList(const std::vector<std::string>& lines);
  // Throws IoError naming the file; a missing file is said to be one the
  // list generator did not produce.
  static MasterList Load(const std::string& path);

  // The group of a name, compared without regard to case. The same answer as
  // reading the list from its top: the first line that decides wins.
  Group GroupOf(const std::string& base_name) const;

 private:
  void AddLine(const std::array<std::string_view, master_list::kFieldCount>& fields);

  std::unordered_map<std::string, Group> decided_;  // keyed by upper-cased name
};

}  // namespace brantel
