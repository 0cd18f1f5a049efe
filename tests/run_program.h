// Runs a program as a user's shell would, in a given current folder or the
// test's own, with no input, and collects its exit code and what it printed.
#pragma once

#include <string>
#include <vector>

namespace brantel::test_support {

struct ProgramRun {
  int exit_code = -1;  // -1 when the program did not end by itself
  std::string out;
  std::string err;
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder = "");

#ifndef _WIN32
// The same under strace. `renames` gets a line for each file that the program
// or one it started renamed: the new name's last part, then " flushed" when
// the file was fsynced before, else " not flushed".
ProgramRun RunProgramTracingRenames(const std::string& program, const std::vector<std::string>& arguments,
                                    const std::string& folder, std::string& renames);
#endif

}  // namespace brantel::test_support
