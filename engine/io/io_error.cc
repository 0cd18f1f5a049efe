#include "engine/io/io_error.h"

#include <cstring>

namespace brantel {

IoError::IoError(const std::string& action, std::string file, std::string reason)
    : std::runtime_error("Could not " + action + " \"" + file + "\": " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

std::string SystemReason(int error_number) { return std::strerror(error_number); }

}  // namespace brantel
