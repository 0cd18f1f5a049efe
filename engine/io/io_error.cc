#include "engine/io/io_error.h"

#include <cstring>
#include <string_view>

#include "engine/io/code_page.h"
#include "engine/io/host_path.h"

namespace brantel {

IoError::IoError(const std::string& what_failed, std::string file, std::string reason)
    : std::runtime_error(what_failed + " \"" + DisplayPath(file) + "\": " + reason),
      file_(DisplayPath(file)),
      reason_(std::move(reason)) {}

std::string DisplayPath(const std::string& path) {
  std::string shown;
  bool after_separator = false;
  for (size_t at = 0; at < path.size();) {
    size_t length = IsLeadByte(static_cast<unsigned char>(path[at])) ? 2 : 1;
    bool separator = length == 1 && std::string_view(kHostSeparators).find(path[at]) != std::string_view::npos;
    // A leading pair stays: it starts a network path.
    if (!(separator && after_separator && at > 1)) shown.append(path, at, length);
    after_separator = separator;
    at += length;
  }
  return shown;
}

std::string SystemReason(int error_number) { return std::strerror(error_number); }

}  // namespace brantel
