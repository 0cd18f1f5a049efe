// Quoting for POSIX shell command lines built by the tests.
#pragma once

#include <string>

namespace brantel::test_support {

inline std::string ShellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace brantel::test_support
