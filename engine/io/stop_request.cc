#include "engine/io/stop_request.h"

#include <chrono>
#include <stdexcept>

namespace brantel {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kWorkingInterval = std::chrono::milliseconds(50);

thread_local WhileWorking* innermost = nullptr;
thread_local Clock::time_point next_call{};

}  // namespace

WhileWorking::WhileWorking(std::function<void()> call) : while_working_(std::move(call)), outer_(innermost) {
  innermost = this;
  next_call = {};
}

WhileWorking::~WhileWorking() { innermost = outer_; }

void WhileWorking::Call() {
  if (while_working_) while_working_();
}

void ThrowIfStopRequested() {
  if (StopRequested()) throw std::runtime_error("Interrupted: a request to stop came from outside");
  if (innermost == nullptr) return;
  const Clock::time_point now = Clock::now();
  if (now < next_call) return;
  next_call = now + kWorkingInterval;
  innermost->Call();
}

}  // namespace brantel
