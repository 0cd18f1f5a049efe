// Starting a program on POSIX hosts: only the file named is started, never one
// found on the search path; its window show state has no meaning here.
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

void WaitForEnd(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

// Looks for the end every 50 ms, so that the caller's call comes well within
// the 100 ms it was promised even when the call itself takes a while.
void WaitForEnd(pid_t child, const WhileWaiting& while_waiting) {
  int status = 0;
  for (;;) {
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child || (ended < 0 && errno != EINTR)) return;
    while_waiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

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
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return;
  if (while_waiting) {
    WaitForEnd(child, while_waiting);
  } else {
    WaitForEnd(child);
  }
}

}  // namespace brantel
