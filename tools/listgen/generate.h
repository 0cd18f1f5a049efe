// The whole run: MAME's -listxml output, read as it comes, becomes the
// master list.
#pragma once

#include <functional>
#include <string>

namespace listgen {

inline constexpr const char* kMasterListFile = "../masterlist.lst";

// Called now and then with the number of machines read so far.
using ProgressReport = std::function<void(long machines)>;

// Runs `mame_program -listxml` and writes one line per machine to
// `list_file`. The file is replaced only when MAME ended with status 0, its
// output parsed without error and it listed at least one machine; otherwise
// the old file stays and the reason is thrown. `once_started`, when given,
// runs as soon as MAME has been started, while it prepares its output.
// Returns the machine count.
long GenerateMasterList(const std::string& mame_program, const std::string& list_file,
                        const ProgressReport& progress, const std::function<void()>& once_started = {});

}  // namespace listgen
