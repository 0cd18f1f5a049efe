// Starting an outside program and waiting for its end.
#pragma once

#include <functional>
#include <string>

namespace brantel {

// Starts `command_line` (program name and arguments separated by spaces) as a
// new process in the current directory, with the caller's standard handles,
// and returns when that process has ended, whatever its exit code. When no
// process can be started it returns at once. A program name without a folder
// is looked for in the current directory first (as given, then, on POSIX,
// without a trailing ".exe"), then on the search path. `show_state` is the
// window show value handed to the process where the host has one.
// `while_waiting`, when given, is called at least every 100 ms until the
// process has ended: a window repaints and answers its window manager there.
using WhileWaiting = std::function<void()>;
void RunAndWait(const std::string& command_line, short show_state = 0,
                const WhileWaiting& while_waiting = {});

}  // namespace brantel
