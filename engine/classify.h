// Sorting the sections of the INI files into the three hidden lists by the
// master list, so that general sections come before specific ones.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/master_list.h"
#include "engine/window.h"

namespace brantel {

class Classifier {
 public:
  // The master list is read when the first entry needs it, once.
  Classifier(std::string master_list_path, Window& window);
  // With the master list already read.
  Classifier(MasterList master, Window& window);

  // Appends folder\entry, an entry of the "*.ini" listing, to DriverList,
  // ParentList or RomList by its system name; a default.ini in any letter
  // case goes to none, its section is written first by the assembly. Throws
  // IoError when the master list cannot be read.
  void ClassifyIniFile(const std::string& folder, const std::string& entry);

  // Appends `path`, a section of the system `system_name`, to the list that
  // the master list gives that name.
  void ClassifySection(const std::string& system_name, const std::string& path);

  // The group the master list gives the system `system_name`.
  Group GroupOf(std::string_view system_name);

 private:
  const MasterList& Master();

  std::string master_list_path_;
  Window& window_;
  std::optional<MasterList> master_;
};

}  // namespace brantel
