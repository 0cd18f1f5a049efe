#include "engine/io/io_error.h"

#include <cstring>

#include "engine/io/host_path.h"

namespace brantel {

IoError::IoError(const std::string& what_failed, std::string file, std::string reason)
    : std::runtime_error(what_failed + " \"" + HostPath(file) + "\": " + reason),
      file_(HostPath(file)),
      reason_(std::move(reason)) {}

std::string SystemReason(int error_number) { return std::strerror(error_number); }

}  // namespace brantel
