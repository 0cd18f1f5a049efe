// Starting an outside program on Windows: kernel32's process start, an
// unlimited wait on the process, and the release of both handles.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>
#include <vector>

#include "tools/run_and_wait.h"

namespace brantel {

void RunAndWait(const std::string& application, const std::string& command_line, short show_state,
                const WhileWaiting& while_waiting) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(STARTUPINFOA);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_state);

  PROCESS_INFORMATION process{};

  // CreateProcessA may write into the command line, so it gets its own copy.
  std::vector<char> writable(command_line.begin(), command_line.end());
  writable.push_back('\0');

  // The application name is the file itself: Windows' own search would run a
  // program of that name from the caller's folder, the system folders or the
  // search path instead. Handles are inherited for the standard handles'
  // sake; every file handle of ours is opened not inheritable.
  if (!CreateProcessA(application.c_str(), writable.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process)) {
    return;
  }
  if (while_waiting) {
    // 50 ms slices keep the caller's calls well within 100 ms of each other.
    while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) while_waiting();
  } else {
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

}  // namespace brantel
