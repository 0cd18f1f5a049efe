// The Convert command: turns the old controller folder named by the window's
// texts into one combined controller file beside it.
#pragma once

#include <string>

#include "engine/window.h"

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
// escapes as an exception.
ConvertResult ConvertFolder(Window& window, const std::string& program_folder);

}  // namespace brantel
