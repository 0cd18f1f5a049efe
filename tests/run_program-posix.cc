#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

#include "tests/run_program.h"
#include "tests/shell_quote.h"

namespace brantel::testing {

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  std::string command = ShellQuoted(program);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot start " + program);
  ProgramRun run;
  char buffer[4096];
  for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, count);
  int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace brantel::testing
