// Starting an outside program and waiting for its end.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

namespace brantel {

// Starts the program file `application` (a full path) as a new process in
// the current directory, with `command_line` (program name and arguments
// separated by spaces, a word with spaces quoted by CommandLineWord, read
// back as the Windows C runtime reads it) as its command line and the
// caller's standard
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

// How the program ended, and what it said: its standard error is caught, so
// that a program without a console can still tell why it failed.
struct ProgramOutcome {
  bool started = false;
  bool succeeded = false;   // ended by itself with exit status 0
  std::string description;  // e.g. "ended with exit status 1", "was ended by signal 9"
  std::string errors;       // the last few kilobytes of its standard error
  std::string output;       // the start of its standard output, when it was asked for
};

// `kept_output` above 0 catches the program's standard output too, of which
// the first `kept_output` bytes are kept and the rest read and dropped.
ProgramOutcome RunAndWait(const std::string& application, const std::string& command_line, short show_state = 0,
                          const WhileWaiting& while_waiting = {}, size_t kept_output = 0);

#ifdef _WIN32
// How a program with this exit code ended: "ended with exit status 1", or for
// a crash "ended with exception 0xC0000005 (access violation)".
std::string ExitCodeDescription(unsigned long code);
#endif

// `word` as one word of a command line, whatever spaces or quotes it holds:
// in quotes, a quote in it as \", the backslashes before either doubled.
std::string CommandLineWord(const std::string& word);

// The most of a program's standard error that is kept.
inline constexpr size_t kKeptErrorBytes = 4096;

}  // namespace brantel
