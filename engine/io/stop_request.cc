#include "engine/io/stop_request.h"

#include <stdexcept>

namespace brantel {

void ThrowIfStopRequested() {
  if (StopRequested()) throw std::runtime_error("Interrupted: a request to stop came from outside");
}

}  // namespace brantel
