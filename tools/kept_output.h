// What RunAndWait keeps of a child's pipe, on every platform.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace brantel {

// Its last bytes (the errors say why it ended at the end) or its first (the
// output), at most `limit` of them.
struct KeptOutput {
  std::string& text;
  size_t limit;
  bool last;

  void Add(const char* bytes, size_t count) const {
    if (last) {
      text.append(bytes, count);
      if (text.size() > limit) text.erase(0, text.size() - limit);
    } else if (text.size() < limit) {
      text.append(bytes, std::min(count, limit - text.size()));
    }
  }
};

}  // namespace brantel
