#include "tools/run_and_wait.h"

namespace brantel {

std::string CommandLineWord(const std::string& word) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (const char c : word) {
    if (c == '\\') {
      ++backslashes;
    } else {
      // Backslashes count only before a quote.
      if (c == '"') quoted.append(backslashes + 1, '\\');
      backslashes = 0;
    }
    quoted += c;
  }
  quoted.append(backslashes, '\\');  // before the closing quote
  return quoted + "\"";
}

}  // namespace brantel
