// Stop requests on Windows: the console's control events set a flag that the
// program looks at. Closing the console (or logging off) ends the process as
// soon as the handler returns, so the handler waits, a few seconds at most,
// for the program to remove its own files first.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <atomic>

#include "engine/io/stop_request.h"

namespace brantel {
namespace {

std::atomic<bool> requested{false};
HANDLE files_removed = nullptr;  // set once the program may end

constexpr DWORD kCleanUpMilliseconds = 4000;
constexpr UINT kInterruptedExitCode = 0xC000013A;  // what Ctrl+C gives a program

BOOL WINAPI NoteStopRequest(DWORD event) {
  requested = true;
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && files_removed != nullptr) {
    WaitForSingleObject(files_removed, kCleanUpMilliseconds);
  }
  return TRUE;
}

}  // namespace

void KeepWritesFailing() {}

void StopOnInterruption() {
  files_removed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(NoteStopRequest, TRUE);
}

bool StopRequested() { return requested; }

void EndIfStopRequested() {
  if (!requested) return;
  if (files_removed != nullptr) SetEvent(files_removed);
  ExitProcess(kInterruptedExitCode);
}

}  // namespace brantel
