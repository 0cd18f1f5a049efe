#include "engine/io/host_path.h"

#include <string_view>

#include "engine/io/code_page.h"

namespace brantel {

size_t LastSeparator(const std::string& path) {
  size_t last = std::string::npos;
  for (size_t at = 0; at < path.size(); at += IsLeadByte(static_cast<unsigned char>(path[at])) ? 2 : 1) {
    if (std::string_view(kHostSeparators).find(path[at]) != std::string_view::npos) last = at;
  }
  return last;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  bool ends_in_separator = !folder.empty() && LastSeparator(folder) == folder.size() - 1;
  return ends_in_separator ? folder + name : folder + kHostSeparator + name;
}

}  // namespace brantel
