// One line of the master list that the Convert command classifies by:
//   0 name | 1 description | 2 year | 3 manufacturer | 4 parent | 5 MAME |
//   6 source file | 7 romof | 8 flags | 9 players.
#pragma once

#include <string>

#include "tools/listgen/machine.h"

namespace listgen {

// Appends the line of `machine` to `out`, without its line end. A "|", CR or LF inside a text
// becomes a space, so every line keeps exactly ten fields.
void AppendMasterListRecord(const Machine& machine, std::string& out);

}  // namespace listgen
