#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/listgen/run_in_folder.h"
#include "tests/shell_quote.h"
#include "tests/test_folder.h"

namespace listgen::testing {

using brantel::testing::ShellQuoted;

ToolRun RunInFolder(const std::string& folder, const std::string& program,
                    const std::vector<std::string>& arguments) {
  brantel::testing::TestFolder streams;
  const std::string out = streams.path() + "/out";
  const std::string err = streams.path() + "/err";
  std::string command = "cd " + ShellQuoted(folder) + " && " + ShellQuoted(program);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err) + " </dev/null";
  const int status = std::system(command.c_str());
  if (status == -1) throw std::runtime_error("cannot run " + program);
  ToolRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = brantel::testing::ReadFileBytes(out);
  run.err = brantel::testing::ReadFileBytes(err);
  return run;
}

}  // namespace listgen::testing
