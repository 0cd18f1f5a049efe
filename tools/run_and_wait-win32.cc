// Starting an outside program on Windows: kernel32's process start, an
// unlimited wait on the process, and the release of both handles.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>
#include <vector>

#include "engine/io/owned_handle-win32.h"
#include "tools/run_and_wait.h"

namespace brantel {
namespace {

// A wait that can be cancelled puts the program into a job, which the
// processes it starts (MAME) join too: ending the job ends them all. A
// program still running when its owner goes (the wait was cancelled) is
// ended with them.
class StartedProgram {
 public:
  StartedProgram(const PROCESS_INFORMATION& process, bool in_job)
      : process_(process.hProcess), thread_(process.hThread) {
    if (in_job) {
      job_.reset(CreateJobObjectA(nullptr, nullptr));
      // Where the job cannot be had (an older system that nests no jobs),
      // cancelling ends the program alone.
      if (job_ && !AssignProcessToJobObject(job_.get(), process_.get())) job_.reset();
    }
    ResumeThread(thread_.get());
  }
  ~StartedProgram() {
    if (ended_) return;
    if (!job_ || !TerminateJobObject(job_.get(), 1)) TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), INFINITE);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  // True once the program has ended; waits up to `milliseconds`.
  bool Ended(DWORD milliseconds) {
    ended_ = WaitForSingleObject(process_.get(), milliseconds) != WAIT_TIMEOUT;
    return ended_;
  }

 private:
  OwnedHandle process_;
  OwnedHandle thread_;
  OwnedHandle job_;
  bool ended_ = false;
};

}  // namespace

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
  // sake; every file handle of ours is opened not inheritable. It starts
  // suspended so that it is in its job before it can start anything.
  if (!CreateProcessA(application.c_str(), writable.data(), nullptr, nullptr, TRUE,
                      NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED, nullptr, nullptr, &startup, &process)) {
    return;
  }
  StartedProgram started(process, static_cast<bool>(while_waiting));
  if (while_waiting) {
    // 50 ms slices keep the caller's calls well within 100 ms of each other.
    while (!started.Ended(50)) while_waiting();
  } else {
    started.Ended(INFINITE);
  }
}

}  // namespace brantel
