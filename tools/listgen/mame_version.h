// MAME's own account of its version, kept in the source record.
#pragma once

#include <string>

namespace listgen {

// The output of `mame_program -version` on one line: line ends become
// spaces and trailing ones are dropped. Only the first few kilobytes count.
// Its exit status is not judged; a MAME that fails here fails -listxml too.
// Throws IoError when MAME cannot be started or its output read.
std::string MameVersion(const std::string& mame_program);

}  // namespace listgen
