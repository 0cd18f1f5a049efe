#include <sys/wait.h>

#include <cstdlib>
#include <set>
#include <sstream>
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

namespace {

std::string LastPart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The first two quoted texts of a traced call: a rename's two names.
std::vector<std::string> QuotedTexts(const std::string& line) {
  std::vector<std::string> texts;
  for (size_t at = line.find('"'); at != std::string::npos && texts.size() < 2; at = line.find('"', at + 1)) {
    const size_t end = line.find('"', at + 1);
    if (end == std::string::npos) break;
    texts.push_back(line.substr(at + 1, end - at - 1));
    at = end;
  }
  return texts;
}

}  // namespace

ProgramRun RunProgramTracingRenames(const std::string& program, const std::vector<std::string>& arguments,
                                    const std::string& folder, std::string& renames) {
  TestFolder trace_folder;
  const std::string trace = trace_folder.path() + "/trace";
  // -y shows the file behind each descriptor; temporary names are unique.
  std::vector<std::string> traced = {"-f", "-qq", "-y", "-e", "trace=fsync,fdatasync,rename,renameat,renameat2",
                                     "-o", trace, program};
  traced.insert(traced.end(), arguments.begin(), arguments.end());
  ProgramRun run = RunProgram("strace", traced, folder);
  std::set<std::string> flushed;
  std::istringstream lines(ReadFileBytes(trace));
  for (std::string line; std::getline(lines, line);) {
    const size_t call = line.find("sync(");
    const size_t start = line.find('<', call);
    if (call != std::string::npos && start != std::string::npos) {
      flushed.insert(LastPart(line.substr(start + 1, line.find('>', start) - start - 1)));
    }
    const std::vector<std::string> names = QuotedTexts(line);
    if (line.find("rename") == std::string::npos || names.size() < 2) continue;
    renames += LastPart(names[1]) + (flushed.count(LastPart(names[0])) ? " flushed\n" : " not flushed\n");
  }
  return run;
}

}  // namespace brantel::test_support
