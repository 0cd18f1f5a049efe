// The master-list line of one machine (its fields: engine/master_list_record.h).
#pragma once

#include <string>

#include "tools/listgen/machine.h"

namespace listgen {

// Appends the line of `machine` to `out`, without its line end.
void AppendMasterListRecord(const Machine& machine, std::string& out);

}  // namespace listgen
