// Starting a program on POSIX hosts: only the file named is started, never one
// found on the search path; its window show state has no meaning here. It
// runs in a process group of its own, so that it can be ended together with
// the programs it starts (the list generator starts MAME), and ends when
// this process does, however that ends.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "engine/io/owned_descriptor-posix.h"
#include "tools/child_process-posix.h"
#include "tools/program_file.h"
#include "tools/kept_output.h"
#include "tools/run_and_wait.h"

namespace brantel {
namespace {

std::string Describe(int status) {
  if (WIFEXITED(status)) return "ended with exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return "was ended by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
  }
  return "ended abnormally";
}

// Takes what the pipe holds now. False once no one can write to it any more.
bool Drain(int fd, const KeptOutput& kept) {
  if (fd < 0) return false;
  char buffer[4096];
  ssize_t count;
  while ((count = ::read(fd, buffer, sizeof buffer)) > 0) kept.Add(buffer, static_cast<size_t>(count));
  return count != 0;
}

// A pipe whose reading end is ours and does not block.
bool OpenPipe(OwnedDescriptor& ours, OwnedDescriptor& theirs) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return false;
  ours = OwnedDescriptor(ends[0]);
  theirs = OwnedDescriptor(ends[1]);
  ::fcntl(ours.get(), F_SETFL, O_NONBLOCK);
  return true;
}

// What a program ended with SIGTERM gets to remove its own files; what a
// process it left behind gets to end on its own.
constexpr auto kTermGrace = std::chrono::seconds(1);
constexpr int kPollStepMs = 50;

// A descriptor that turns readable when the process ends, so that a wait
// ends with it; none (-1) where the system cannot give one, and the wait
// then looks every kPollStepMs.
OwnedDescriptor EndOf(pid_t pid) {
#ifdef SYS_pidfd_open
  return OwnedDescriptor(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
#else
  (void)pid;
  return OwnedDescriptor(-1);
#endif
}

// The program runs in a process group of its own (the list generator starts
// MAME; a script standing for MAME may start helpers in the background).
// When it ends, or the caller gives up waiting, whatever is left of the
// group is asked to end with SIGTERM, and killed after kTermGrace.
class RunningProgram {
 public:
  explicit RunningProgram(pid_t pid) : pid_(pid), group_(pid), end_(EndOf(pid)) {}
  ~RunningProgram() {
    if (pid_ <= 0) return;
    if (group_ != 0) ::kill(-group_, SIGTERM);
    for (auto waited = std::chrono::milliseconds(0); waited < kTermGrace && !HasEnded();
         waited += std::chrono::milliseconds(kPollStepMs)) {
      pollfd end{end_.get(), POLLIN, 0};
      ::poll(&end, 1, kPollStepMs);
    }
    if (group_ != 0) ::kill(-group_, SIGKILL);
    Reap();
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  int EndDescriptor() const { return end_.get(); }

  // True once it has ended; it is left unreaped, so that its process group
  // cannot be taken by another program before Finish.
  bool HasEnded() {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0) return info.si_pid == pid_;
    // Reaped already (SIGCHLD ignored): its number may be another's now.
    if (errno != EINTR) group_ = 0;
    return errno != EINTR;
  }

  // Once it has ended: ends what it left running in its group, and returns
  // how it ended.
  int Finish() {
    if (group_ == 0) return Reap();
    ::kill(-group_, SIGTERM);
    const int status = Reap();
    // Signalled while its group still has members, so no other program can
    // have taken the group's number.
    const auto until = std::chrono::steady_clock::now() + kTermGrace;
    while (::kill(-group_, 0) == 0) {
      if (std::chrono::steady_clock::now() >= until) {
        ::kill(-group_, SIGKILL);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status;
  }

 private:
  int Reap() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
  }

  pid_t pid_;
  pid_t group_;  // 0 once the program's number may be another's
  OwnedDescriptor end_;
};

// The words as the Windows C runtime splits a command line: 2n backslashes
// and a quote are n backslashes and a quote that groups, 2n+1 and a quote
// are n backslashes and the quote itself; elsewhere a backslash is itself.
std::vector<std::string> Arguments(const std::string& program, const std::string& command_line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  size_t backslashes = 0;
  for (const char c : command_line) {
    if (c == '\\') {
      ++backslashes;
      in_word = true;
      continue;
    }
    if (c == '"') {
      word.append(backslashes / 2, '\\');
      if (backslashes % 2 == 1) {
        word += c;
      } else {
        quoted = !quoted;
      }
      backslashes = 0;
      in_word = true;
      continue;
    }
    word.append(backslashes, '\\');
    backslashes = 0;
    if (c == ' ' && !quoted) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  word.append(backslashes, '\\');
  if (in_word) words.push_back(std::move(word));
  if (words.empty()) words.push_back(program);
  return words;
}

}  // namespace

ProgramOutcome RunAndWait(const std::string& application, const std::string& command_line, short /*show_state*/,
                          const WhileWaiting& while_waiting, size_t kept_output) {
  ProgramOutcome outcome;
  const std::string program = ProgramFileForWindowsName(application);
  if (program.empty()) {
    outcome.description = "was not found as a program file at \"" + application + "\"";
    return outcome;
  }
  std::vector<std::string> words = Arguments(program, command_line);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const bool catch_output = kept_output > 0;
  OwnedDescriptor errors, errors_end, output, output_end;
  if (!OpenPipe(errors, errors_end) || (catch_output && !OpenPipe(output, output_end))) {
    outcome.description = std::string("could not be started: ") + std::strerror(errno);
    return outcome;
  }
  int error = 0;
  const pid_t child = StartChild(program, argv.data(), {output_end.get(), errors_end.get(), true}, error);
  if (child < 0) {
    outcome.description = std::string("could not be started: ") + std::strerror(error);
    return outcome;
  }
  outcome.started = true;
  errors_end.Close();
  output_end.Close();
  const KeptOutput kept_errors{outcome.errors, kKeptErrorBytes, true};
  const KeptOutput kept_out{outcome.output, kept_output, false};
  RunningProgram running(child);
  // Every 50 ms at most, so that the caller's calls come well within the
  // 100 ms promised; at once when the program ends.
  bool errors_open = true, output_open = catch_output;
  for (;;) {
    pollfd ready[3] = {{errors_open ? errors.get() : -1, POLLIN, 0},
                       {output_open ? output.get() : -1, POLLIN, 0},
                       {running.EndDescriptor(), POLLIN, 0}};
    ::poll(ready, 3, kPollStepMs);
    if (errors_open) errors_open = Drain(errors.get(), kept_errors);
    if (output_open) output_open = Drain(output.get(), kept_out);
    if (running.HasEnded()) break;
    if (while_waiting) while_waiting();
  }
  const int status = running.Finish();
  // What it wrote after the last look; a program it started may have held
  // the pipes until now.
  Drain(errors.get(), kept_errors);
  Drain(output.get(), kept_out);
  outcome.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  outcome.description = Describe(status);
  return outcome;
}

}  // namespace brantel
