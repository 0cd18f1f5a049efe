// Starting a program on POSIX hosts the way the Windows command line would:
// the program name is looked for in the current directory first, then on
// the search path; its window show state has no meaning here.
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

// The path to start, or the bare name for a search of the search path.
std::string ResolveProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  std::string in_current_folder = ProgramFileForWindowsName("./" + name);
  return in_current_folder.empty() ? name : in_current_folder;
}

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

void RunAndWait(const std::string& command_line, short /*show_state*/,
                const WhileWaiting& while_waiting) {
  std::vector<std::string> words;
  for (std::string& word : Split(command_line, ' ')) {
    if (!word.empty()) words.push_back(std::move(word));
  }
  if (words.empty()) return;

  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  std::string program = ResolveProgram(words[0]);
  pid_t child = 0;
  int started = program.find('/') != std::string::npos
                    ? posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ)
                    : posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (started != 0) return;
  if (while_waiting) {
    WaitForEnd(child, while_waiting);
  } else {
    WaitForEnd(child);
  }
}

}  // namespace brantel
