// Stop requests on POSIX hosts: SIGINT, SIGTERM and SIGHUP (the terminal
// closed) set a flag that the program looks at; afterwards the same signal
// ends it with its default handling, so that its caller sees how it ended.
// An output closed early (a pipe into "head -1") only ends the printing:
// SIGPIPE is caught and writes fail with EPIPE instead; so is SIGXFSZ, sent
// for a write beyond the file-size limit, which then fails with EFBIG.
#include <signal.h>
#include <unistd.h>

#include "engine/io/stop_request.h"

namespace brantel {
namespace {

volatile sig_atomic_t requested_signal = 0;

extern "C" void NoteStopRequest(int signal) { requested_signal = signal; }

// Caught rather than ignored: a program started from here gets the default
// handling back, so MAME still ends when its reader is gone.
extern "C" void LetTheWriteFail(int) {}

}  // namespace

void KeepWritesFailing() {
  struct sigaction action {};
  action.sa_handler = LetTheWriteFail;
  sigemptyset(&action.sa_mask);
  sigaction(SIGPIPE, &action, nullptr);
  sigaction(SIGXFSZ, &action, nullptr);
}

void StopOnInterruption() {
  struct sigaction action {};
  action.sa_handler = NoteStopRequest;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  KeepWritesFailing();
}

bool StopRequested() { return requested_signal != 0; }

void EndIfStopRequested() {
  const int signal = requested_signal;
  if (signal == 0) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  raise(signal);
  _exit(128 + signal);
}

}  // namespace brantel
