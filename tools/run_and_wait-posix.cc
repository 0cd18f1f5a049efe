// Starting a program on POSIX hosts: only the file named is started, never one
// found on the search path; its window show state has no meaning here. It
// runs in a process group of its own, so that it can be ended together with
// the programs it starts (the list generator starts MAME), and ends when
// this process does, however that ends.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
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
#include "engine/text_rules.h"
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

// What a program ended with SIGTERM gets to remove its own files.
constexpr int kTermGraceSteps = 20;
constexpr auto kPollStep = std::chrono::milliseconds(50);

// Ends the program and its group when the caller gives up waiting: asked
// with SIGTERM first, then whatever is left of the group (MAME) is killed.
class RunningProgram {
 public:
  explicit RunningProgram(pid_t pid) : pid_(pid), group_(pid) {}
  ~RunningProgram() {
    if (pid_ <= 0) return;
    ::kill(-group_, SIGTERM);
    int status = 0;
    for (int step = 0; step < kTermGraceSteps && !Ended(status); ++step) std::this_thread::sleep_for(kPollStep);
    ::kill(-group_, SIGKILL);
    while (pid_ > 0 && ::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // True, with the status, once it has ended.
  bool Ended(int& status) {
    const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
    if (ended == pid_ || (ended < 0 && errno != EINTR)) {
      pid_ = -1;
      return true;
    }
    return false;
  }

 private:
  pid_t pid_;
  pid_t group_;
};

std::vector<std::string> Arguments(const std::string& program, const std::string& command_line) {
  std::vector<std::string> words;
  for (std::string& word : Split(command_line, ' ')) {
    if (!word.empty()) words.push_back(std::move(word));
  }
  if (words.empty()) words.push_back(program);
  return words;
}

}  // namespace

ProgramOutcome RunAndWait(const std::string& application, const std::string& command_line, short /*show_state*/,
                          const WhileWaiting& while_waiting, size_t kept_output, const std::string& working_folder) {
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
  const pid_t child = StartChild(program, argv.data(),
                                 {output_end.get(), errors_end.get(), true,
                                  working_folder.empty() ? nullptr : working_folder.c_str()},
                                 error);
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
  int status = 0;
  // Every 50 ms at most, so that the caller's calls come well within the
  // 100 ms promised.
  bool errors_open = true, output_open = catch_output;
  while (!running.Ended(status)) {
    pollfd ready[2] = {{errors_open ? errors.get() : -1, POLLIN, 0}, {output_open ? output.get() : -1, POLLIN, 0}};
    ::poll(ready, 2, 50);
    if (errors_open) errors_open = Drain(errors.get(), kept_errors);
    if (output_open) output_open = Drain(output.get(), kept_out);
    if (while_waiting) while_waiting();
  }
  // What it wrote last; a program it started may hold the pipes still.
  Drain(errors.get(), kept_errors);
  Drain(output.get(), kept_out);
  outcome.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  outcome.description = Describe(status);
  return outcome;
}

}  // namespace brantel
