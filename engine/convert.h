// The Convert command: turns the old controller folder named by the window's
// texts into one combined controller file beside it.
#pragma once

#include <string>

#include "engine/window.h"
#include "tools/run_and_wait.h"

namespace brantel {

enum class ConvertResult {
  kCompleted,   // "Conversion Complete!" was shown
  kPathError,   // a "File Path Error" box was shown
  kFailed,      // a "Conversion Failed" box was shown
};

inline constexpr const char* kFailureTitle = "Conversion Failed";

// Runs the whole conversion on `window`. `program_folder` holds the settings
// file, the master list and the "list generator" subfolder. Every failure is
// shown in a critical message box naming the file and the reason; nothing
// escapes as an exception. `while_waiting` is called while the list
// generator runs (see RunAndWait) and while Convert waits for another; when
// it throws, Convert stops there as on any failure, ending the list generator
// and removing its own files.
ConvertResult ConvertFolder(Window& window, const std::string& program_folder,
                            const WhileWaiting& while_waiting = {});

}  // namespace brantel
