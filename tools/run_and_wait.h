// Starting an outside program and waiting for its end.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace brantel {

// Starts the program file `application` (a full path) as a new process in
// the current directory, with `command_line` (program name and arguments
// separated by spaces) as its command line and the caller's standard
// handles, and returns when that process has ended, whatever its exit code.
// The program is never looked for anywhere else, so a file of the same name
// in another folder never runs in its place; on POSIX a path ending in
// ".exe" also names the file without it. When no process can be started it
// returns at once. `show_state` is the window show value handed to the
// process where the host has one.
// `while_waiting`, when given, is called at least every 100 ms until the
// process has ended: a window repaints and answers its window manager there.
// When it throws, the process and every process it started are ended before
// the exception goes on: that is how the user stops a program that hangs.
using WhileWaiting = std::function<void()>;

// What a WhileWaiting throws when the user asked to stop.
class WaitCancelled : public std::runtime_error {
 public:
  WaitCancelled() : std::runtime_error("cancelled") {}
};

void RunAndWait(const std::string& application, const std::string& command_line, short show_state = 0,
                const WhileWaiting& while_waiting = {});

}  // namespace brantel
