// Runs a program as a user's shell would, in a given current folder or the
// test's own, with no input, and collects its exit code and what it printed.
#pragma once

#include <string>
#include <vector>

namespace brantel::test_support {

struct ProgramRun {
  int exit_code = -1;  // -1 when the program did not end by itself
  std::string out;
  std::string err;  // on Windows, left in the console
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder = "");

}  // namespace brantel::test_support
