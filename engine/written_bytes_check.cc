#include "engine/written_bytes_check.h"

namespace brantel {
namespace {

// The pieces waiting, at most: a few MB ahead of the check is enough to keep
// both threads busy.
constexpr size_t kPiecesAhead = 32;
constexpr size_t kLargePiece = 1 << 20;

}  // namespace

WrittenBytesCheck::WrittenBytesCheck() : thread_([this] { Run(); }) {}

WrittenBytesCheck::~WrittenBytesCheck() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  added_.notify_one();
  thread_.join();
}

bool WrittenBytesCheck::Add(std::string_view bytes, bool well_formed) {
  if (bytes.size() >= kLargePiece) {
    WaitUntilIdle();
    Take(bytes, well_formed);
    return !failed_;
  }
  std::string copy(bytes);
  return Queue(copy, well_formed);
}

bool WrittenBytesCheck::Add(std::string& piece, bool well_formed) {
  if (piece.size() >= kLargePiece) {
    const bool well_formed_so_far = Add(std::string_view(piece), well_formed);
    piece.clear();
    return well_formed_so_far;
  }
  return Queue(piece, well_formed);
}

bool WrittenBytesCheck::Queue(std::string& piece, bool well_formed) {
  std::unique_lock<std::mutex> lock(mutex_);
  taken_.wait(lock, [this] { return queue_.size() < kPiecesAhead; });
  if (failed_) return false;
  queue_.push_back({std::move(piece), well_formed});
  piece.clear();
  if (!spare_.empty()) {
    piece.swap(spare_.back());
    spare_.pop_back();
  }
  lock.unlock();
  added_.notify_one();
  return true;
}

std::string WrittenBytesCheck::Finish() {
  WaitUntilIdle();
  return check_.Finish();
}

std::uint64_t WrittenBytesCheck::FailedAt() {
  WaitUntilIdle();
  return check_.FailedAt();
}

bool WrittenBytesCheck::OutOfMemory() {
  WaitUntilIdle();
  return check_.OutOfMemory();
}

void WrittenBytesCheck::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    added_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    if (quit_) return;
    Piece piece = std::move(queue_.front());
    queue_.pop_front();
    busy_ = true;
    lock.unlock();
    Take(piece.bytes, piece.well_formed);
    piece.bytes.clear();
    lock.lock();
    spare_.push_back(std::move(piece.bytes));
    busy_ = false;
    taken_.notify_all();
  }
}

// On the thread, or on the writing side while the thread is idle: never both.
void WrittenBytesCheck::Take(std::string_view bytes, bool well_formed) {
  sha_.Add(bytes);
  if (well_formed && !failed_ && !check_.Feed(bytes)) failed_ = true;
}

void WrittenBytesCheck::WaitUntilIdle() {
  std::unique_lock<std::mutex> lock(mutex_);
  taken_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

}  // namespace brantel
