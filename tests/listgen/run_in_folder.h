// Runs a program with a given current folder, as the Convert command starts
// the list generator, and collects its exit code and both output streams.
#pragma once

#include <string>
#include <vector>

namespace listgen::testing {

struct ToolRun {
  int exit_code = -1;  // -1 when the program did not end by itself
  std::string out;
  std::string err;
};

ToolRun RunInFolder(const std::string& folder, const std::string& program,
                    const std::vector<std::string>& arguments);

}  // namespace listgen::testing
