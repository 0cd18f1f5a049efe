// Starting a program on POSIX hosts the way the Windows command line would:
// the program name is looked for in the current directory first, then on
// the search path; its window show state has no meaning here.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "engine/text_rules.h"
#include "tools/run_and_wait.h"

extern char** environ;

namespace brantel {
namespace {

bool IsRunnableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The path to start, or the bare name for a search of the search path.
std::string ResolveProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  if (IsRunnableFile("./" + name)) return "./" + name;
  const std::string suffix = ".exe";
  if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
    std::string bare = "./" + name.substr(0, name.size() - suffix.size());
    if (IsRunnableFile(bare)) return bare;
  }
  return name;
}

}  // namespace

void RunAndWait(const std::string& command_line, short /*show_state*/) {
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

  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace brantel
