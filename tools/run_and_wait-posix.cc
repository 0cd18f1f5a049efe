// Starting a program on POSIX hosts: only the file named is started, never one
// found on the search path; its window show state has no meaning here.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/text_rules.h"
#include "tools/program_file.h"
#include "tools/run_and_wait.h"

extern char** environ;

namespace brantel {
namespace {

constexpr auto kPollStep = std::chrono::milliseconds(50);
// What a program ended with SIGTERM gets to remove its own files.
constexpr int kTermGraceSteps = 20;

// Owns the started program, which leads a process group of its own so that
// it can be ended together with what it started (MAME). A program still
// running when its owner goes (the wait was cancelled) is ended: asked with
// SIGTERM first, then killed with its whole group.
class StartedProgram {
 public:
  explicit StartedProgram(pid_t pid) : pid_(pid) {}
  ~StartedProgram() {
    if (reaped_) return;
    ::kill(-pid_, SIGTERM);
    for (int step = 0; step < kTermGraceSteps && Running(); ++step) std::this_thread::sleep_for(kPollStep);
    // The child is not reaped yet, so its group id still names this group.
    ::kill(-pid_, SIGKILL);
    WaitForEnd();
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  // Looks without reaping, so the process group stays ours to signal.
  bool Running() const {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) < 0) {
      if (errno != EINTR) return false;
    }
    return info.si_pid == 0;
  }

  void WaitForEnd() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
  }

 private:
  pid_t pid_;
  bool reaped_ = false;
};

// Looks for the end every 50 ms, so that the caller's call comes well within
// the 100 ms it was promised even when the call itself takes a while.
void WaitForEnd(StartedProgram& program, const WhileWaiting& while_waiting) {
  while (program.Running()) {
    while_waiting();
    std::this_thread::sleep_for(kPollStep);
  }
  program.WaitForEnd();
}

// Owns the attributes of one posix_spawn call. A wait that can be cancelled
// starts the program as the leader of a group of its own; otherwise it stays
// in ours, so that Ctrl+C in a terminal reaches it and MAME as before.
class SpawnAttributes {
 public:
  explicit SpawnAttributes(bool own_group) {
    ::posix_spawnattr_init(&attributes_);
    if (!own_group) return;
    ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP);
    ::posix_spawnattr_setpgroup(&attributes_, 0);
  }
  ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  const posix_spawnattr_t* get() const { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

}  // namespace

void RunAndWait(const std::string& application, const std::string& command_line, short /*show_state*/,
                const WhileWaiting& while_waiting) {
  const std::string program = ProgramFileForWindowsName(application);
  if (program.empty()) return;
  std::vector<std::string> words;
  for (std::string& word : Split(command_line, ' ')) {
    if (!word.empty()) words.push_back(std::move(word));
  }
  if (words.empty()) words.push_back(program);

  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t child = 0;
  const SpawnAttributes attributes(static_cast<bool>(while_waiting));
  if (posix_spawn(&child, program.c_str(), nullptr, attributes.get(), argv.data(), environ) != 0) return;
  StartedProgram started(child);
  if (while_waiting) {
    WaitForEnd(started, while_waiting);
  } else {
    started.WaitForEnd();  // never cancelled, so the group is never signalled
  }
}

}  // namespace brantel
