// Runs a program through the command interpreter, as a Windows user's
// command line would, and collects what it printed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "tests/run_program.h"

namespace brantel::test_support {
namespace {

// One argument as the C runtime splits a command line: inside quotes a run of
// backslashes is literal unless a quote follows it, so those runs are doubled.
std::string Quoted(const std::string& word) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder) {
  std::string path = program;
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string command = folder.empty() ? "" : "cd /d " + Quoted(folder) + " && ";
  command += Quoted(path);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  // Standard error into a file of its own, which the console would keep.
  const std::unique_ptr<char, decltype(&std::free)> err_file(_tempnam(nullptr, "bterr"), &std::free);
  if (err_file == nullptr) throw std::runtime_error("no temporary file name for " + program);
  command += " 2>" + Quoted(err_file.get());
  // "cmd /c" removes the first and the last quote of a line that starts with
  // one; the outer pair is there for it to take.
  std::FILE* pipe = _popen(("\"" + command + "\"").c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot start " + program);
  ProgramRun run;
  char buffer[4096];
  for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, count);
  run.exit_code = _pclose(pipe);
  {
    std::ifstream err(err_file.get());  // in text mode, as the pipe reads standard output
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  }
  std::remove(err_file.get());
  return run;
}

}  // namespace brantel::test_support
