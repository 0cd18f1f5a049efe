#include "tests/stand_in_listgen.h"

namespace brantel::testing {

std::string MasterListLine(const std::string& name, const std::string& parent,
                           const std::string& players, const std::string& emulator) {
  return name + "|" + name + " description|1980|Maker|" + parent + "|" + emulator +
         "|driver.cpp|||" + players;
}

}  // namespace brantel::testing
