// The combined files Convert wrote, so that it can tell its own earlier
// output under a name (replaced: it is only the old folder converted before)
// from a file of the user's of the same name (kept aside, never lost).
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

#include "engine/io/open_file.h"

namespace brantel {

// An entry of the new combined file's name `path`, seen from the start of a
// Convert: right before the new file takes the name, an entry there that is
// not, byte for byte, the file the record `record_file` says Convert wrote
// there last is renamed to a name MAME never reads as a controller file. The
// earlier file is as large as the new one, so it is read on a thread of its
// own while the new one is made; that reading counts at the rename only while
// the file is as it was then, and the file is read again otherwise.
class EarlierFile {
 public:
  EarlierFile(std::string path, std::string record_file);
  // Stops the reading ahead and waits for it.
  ~EarlierFile();
  EarlierFile(const EarlierFile&) = delete;
  EarlierFile& operator=(const EarlierFile&) = delete;

  // Renames the entry to "<path>.bak", or the first free "<path>.N.bak", and
  // returns that name; "" when there was nothing or our own file. A record
  // that cannot be read says nothing, so the file is kept aside. Throws
  // IoError when the entry cannot be renamed.
  std::string KeepAsideIfNotOurs();

  // Returns once the reading ahead has ended.
  void WaitForReadingAhead() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  void ReadAhead();

  std::string path_;
  std::string record_file_;
  std::atomic<bool> stop_{false};
  // The file as the thread read it, read once the thread has ended: set
  // only when it was unchanged while it was read.
  std::optional<FileState> ahead_state_;
  std::uint64_t ahead_size_ = 0;
  std::string ahead_sha256_;
  std::thread thread_;
};

// Once the new file is in place: the record says it is the one Convert wrote
// under `path` (its size and SHA-256, as its bytes were written), and forgets
// the oldest names past a few hundred. Throws IoError when the record cannot
// be written.
void RecordWrittenFile(const std::string& path, std::uint64_t size, const std::string& sha256,
                       const std::string& record_file);

}  // namespace brantel
