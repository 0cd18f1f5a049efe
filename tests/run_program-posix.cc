#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/run_program.h"
#include "tests/shell_quote.h"
#include "tests/test_folder.h"

namespace brantel::test_support {

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder) {
  TestFolder streams;
  const std::string out = streams.path() + "/out";
  const std::string err = streams.path() + "/err";
  std::string command = folder.empty() ? "" : "cd " + ShellQuoted(folder) + " && ";
  command += ShellQuoted(program);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err) + " </dev/null";
  const int status = std::system(command.c_str());
  if (status == -1) throw std::runtime_error("cannot run " + program);
  ProgramRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
  return run;
}

}  // namespace brantel::test_support
