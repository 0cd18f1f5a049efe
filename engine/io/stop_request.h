// A request from outside to stop: Ctrl+C, or the system asking the program
// to end (SIGTERM or SIGHUP on POSIX; Ctrl+Break or closing the console on
// Windows). A
// Convert stops at its next step and removes its own files as after any
// failure, the list generator and MAME with it; the program then ends the
// way the request asked.
#pragma once

#include <functional>

namespace brantel {

// Installs the handlers; for console programs, once, at their start. An
// output closed early then makes writes fail rather than end the program,
// as KeepWritesFailing does.
void StopOnInterruption();

// A write beyond the size limit the system sets on files (ulimit -f on
// POSIX) then fails, with "File too large", and is reported like any failed
// write, rather than ending the program without a word. Once, at the start
// of every program; nothing on Windows, where no such signal exists.
void KeepWritesFailing();

bool StopRequested();

// Throws std::runtime_error when a stop was requested: called between the steps of a
// Convert, inside its long reads, and while it waits.
void ThrowIfStopRequested();

// While one lives, the stop checks of its thread also call `while_working`,
// at once and then at most every 50 ms: a window repaints and answers its
// messages there for the whole of a Convert, and Cancel throws from it.
class WhileWorking {
 public:
  explicit WhileWorking(std::function<void()> while_working);
  ~WhileWorking();
  WhileWorking(const WhileWorking&) = delete;
  WhileWorking& operator=(const WhileWorking&) = delete;
  void Call();

 private:
  std::function<void()> while_working_;
  WhileWorking* outer_;
};

// Ends the program as the request asked (on POSIX by the very signal), once
// its own files are removed. Returns when no stop was requested.
void EndIfStopRequested();

}  // namespace brantel
