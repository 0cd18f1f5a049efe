// "Use it in MAME": the options that make MAME use the new file, set in the
// mame.ini MAME reads first, and MAME asked again whether it does.
#pragma once

#include <string>
#include <vector>

#include "engine/mame_use.h"
#include "tools/run_and_wait.h"

namespace brantel {

inline constexpr const char* kUseInMameTitle = "Use it in MAME";

// Sets the options in `change.mame_ini`: an existing file keeps every other
// byte, and the previous file is kept as "mame.ini.bak" (or the first free
// "mame.ini.N.bak"), returned; a new file is a copy of `read_until_now`
// with the options set, or, when there is none, these lines alone. The file
// is replaced in one step, never written through a link; a kill at any point
// leaves the old file or the new one whole. Two Converts take turns
// (`while_waiting` is called while one waits). Throws IoError naming the
// file when it is no ordinary file of its own (a folder, FIFO, link), is
// larger than kMameIniSizeLimit, is not text or is read-only: it is left as
// it was then.
std::string SetMameIniOptions(const MameIniChange& change, const WhileWaiting& while_waiting = {});

// The lines of -showconfig that differ between `before` and `after`, the
// ctrlr and ctrlrpath lines left out: what else a new mame.ini changed.
std::vector<std::string> OtherSettingsChanged(const std::string& before, const std::string& after);

// What the box after "Use it in MAME" says.
struct UseInMameResult {
  std::vector<std::string> lines;
  bool done = false;  // MAME now uses the file, and nothing else changed
};

// Sets `change`, then asks MAME (`mame_path`, `executable`) again: "MAME now
// uses it" only when it says it loads `combined_file` and its other settings
// are as `before` printed them. Never throws: what `while_waiting` throws
// (a Cancel) ends the step it came in, and the lines say so.
UseInMameResult UseInMame(const MameIniChange& change, const MameCtrlrSettings& before,
                          const std::string& combined_file, const std::string& mame_path,
                          const std::string& executable, const std::string& folder_name,
                          const WhileWaiting& while_waiting = {});

}  // namespace brantel
