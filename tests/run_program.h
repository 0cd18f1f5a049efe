// Runs a program as a user's shell would and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace brantel::testing {

struct ProgramRun {
  int exit_code = -1;
  std::string output;  // standard output
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace brantel::testing
