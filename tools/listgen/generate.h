// The whole run: MAME's -listxml output, read as it comes, becomes the
// master list.
#pragma once

#include <functional>
#include <string>

namespace listgen {

// Called now and then with the number of machines read so far.
using ProgressReport = std::function<void(long machines)>;

// Runs `mame_program -listxml` and writes one line per machine to
// `list_file`. The file is replaced only when MAME ended with status 0, its
// output parsed without error and it listed at least one machine; otherwise
// the old file stays and the reason is thrown.
struct GeneratedList {
  long machines = 0;
  std::string build;  // MAME's version, as its output names it
};
GeneratedList GenerateMasterList(const std::string& mame_program, const std::string& list_file,
                                 const ProgressReport& progress);

}  // namespace listgen
