#include "tests/stand_in_listgen.h"

#include "engine/master_list_record.h"

namespace brantel::test_support {

std::string MasterListLine(const std::string& name, const std::string& parent,
                           const std::string& players, const std::string& emulator) {
  const std::string description = name + " description";
  std::string line;
  master_list::AppendRecord(
      {name, description, "1980", "Maker", parent, emulator, "driver.cpp", "", "", players}, line);
  return line;
}

}  // namespace brantel::test_support
