// The Convert command: turns the old controller folder named by the window's
// texts into one combined controller file beside it.
#pragma once

#include <memory>
#include <string>

#include "engine/io/file_safety.h"

#include "engine/window.h"
#include "tools/run_and_wait.h"

namespace brantel {

enum class ConvertResult {
  kCompleted,   // "Conversion Complete!" was shown
  kPathError,   // a "File Path Error" box was shown
  kFailed,      // a "Conversion Failed" box was shown
  kCancelled,   // the user cancelled a wait: a "Conversion Cancelled" box was shown
};

inline constexpr const char* kFailureTitle = "Conversion Failed";
inline constexpr const char* kCancelledTitle = "Conversion Cancelled";
inline constexpr const char* kCancelledPrompt =
    "Nothing was changed: the master list, your old folder and its controller file are as they were.";

// Runs the whole conversion on `window`. `program_folder` holds the settings
// file, the master list and the "list generator" subfolder. Every failure is
// shown in a critical message box naming the file and the reason; nothing
// escapes as an exception. `while_waiting` is called while the list
// generator runs (see RunAndWait) and while Convert waits for another; when
// it throws, Convert stops there as on any failure, ending the list generator
// and removing its own files; when it throws WaitCancelled, the user asked
// for that, and an information box says that nothing was changed.
ConvertResult ConvertFolder(Window& window, const std::string& program_folder,
                            const WhileWaiting& while_waiting = {});

// The lock of `folder` (see FolderLock), once no other run holds it. A wait
// of more than a second is shown on `window` with `what` it waits for
// (Window::ShowWaiting). Throws as FolderLock does.
std::unique_ptr<FolderLock> LockSayingSo(Window& window, const std::string& folder, const std::string& what,
                                         const WhileWaiting& while_waiting);

}  // namespace brantel
