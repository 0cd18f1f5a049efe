// The check of the new combined file's bytes, on a second thread: expat and
// SHA-256 take as long as making the bytes, so they run beside it rather
// than after it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/sha256.h"
#include "engine/xml_check.h"

namespace brantel {

class WrittenBytesCheck {
 public:
  // Throws std::system_error when the thread cannot start.
  WrittenBytesCheck();
  // Waits for the thread; what it had not checked yet is dropped.
  ~WrittenBytesCheck();
  WrittenBytesCheck(const WrittenBytesCheck&) = delete;
  WrittenBytesCheck& operator=(const WrittenBytesCheck&) = delete;

  // Every byte written, in order: all go into the SHA-256, those with
  // `well_formed` set also into the well-formedness check. A small piece is
  // copied and checked on the thread; a large one (a long line) is checked
  // here, once the thread is idle, so that it is never held twice. Returns
  // false once the check has found the document not well-formed (perhaps
  // from earlier bytes).
  bool Add(std::string_view bytes, bool well_formed);
  // The same for a small piece held in a string: the check takes it whole,
  // leaving `piece` empty (with room of its own to fill again).
  bool Add(std::string& piece, bool well_formed);

  // Waits until everything added is checked; then, as WellFormedCheck does:
  // the parser's complaint (empty when well-formed) and where it stopped.
  std::string Finish();
  std::uint64_t FailedAt();
  bool OutOfMemory();
  // The SHA-256 of every byte added; only after Finish.
  std::string Sha256Digest() { return sha_.HexDigest(); }

 private:
  struct Piece {
    std::string bytes;
    bool well_formed;
  };

  void Run();
  void Take(std::string_view bytes, bool well_formed);
  void WaitUntilIdle();
  bool Queue(std::string& piece, bool well_formed);

  Sha256 sha_;
  WellFormedCheck check_;
  std::atomic<bool> failed_{false};  // set by whichever side checks

  std::mutex mutex_;
  std::condition_variable added_;
  std::condition_variable taken_;
  std::deque<Piece> queue_;
  std::vector<std::string> spare_;  // emptied pieces, reused
  bool busy_ = false;               // the thread works on a piece
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace brantel
