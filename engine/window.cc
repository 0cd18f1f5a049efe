#include "engine/window.h"

#include "engine/io/io_error.h"
#include "engine/io/mame_location.h"

namespace brantel {

WindowTexts FirstStartTexts() { return {"stormcabinet", FirstStartMamePath(), FirstStartExecutable()}; }

WindowTexts LoadDefaults() { return {"hotrod", DefaultMamePath(), DefaultExecutable()}; }

void PointFileListAt(FileList& file_list, const std::string& folder) {
  try {
    file_list.SetPath(folder);
  } catch (const IoError&) {
    // A name that is no folder (yet) leaves the list as it was.
  }
}

}  // namespace brantel
