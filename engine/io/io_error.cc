#include "engine/io/io_error.h"

#include <cstring>
#include <string_view>

#include "engine/io/host_path.h"

namespace brantel {

IoError::IoError(const std::string& what_failed, std::string file, std::string reason)
    : std::runtime_error(what_failed + " \"" + DisplayPath(file) + "\": " + reason),
      file_(DisplayPath(file)),
      reason_(std::move(reason)) {}

std::string DisplayPath(const std::string& path) {
  const std::string& host = path;
  std::string shown;
  for (size_t at = 0; at < host.size(); ++at) {
    auto is_separator = [](char c) { return std::string_view(kHostSeparators).find(c) != std::string_view::npos; };
    // A leading pair stays: it starts a network path.
    bool repeated = is_separator(host[at]) && at > 1 && is_separator(shown.back());
    if (!repeated) shown += host[at];
  }
  return shown;
}

std::string SystemReason(int error_number) { return std::strerror(error_number); }

}  // namespace brantel
