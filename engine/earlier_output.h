// The combined files Convert wrote, so that it can tell its own earlier
// output under a name (replaced: it is only the old folder converted before)
// from a file of the user's of the same name (kept aside, never lost).
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/io/open_file.h"

namespace brantel {

// What a file holds: its size and digest (see file_digest.h).
struct FileContents {
  std::uint64_t size = 0;
  std::string digest;
  bool operator==(const FileContents&) const = default;
};

// What the record "combined.lst" says of one name.
struct RecordEntry {
  std::string key;  // the file's path, its folder's links resolved (see RecordKey)
  FileContents file;  // what Convert wrote under it last
  // What it wrote there before, still its own while a run that was about to
  // replace it may have been stopped before or after the rename.
  std::optional<FileContents> before;
  // The file's state right after it took the name: while the file is in
  // that state it needs no reading to be known.
  std::optional<FileState> state;
  // The ".bak" number a run kept a file of the user's under before it was
  // stopped; told by the next run.
  std::optional<int> aside;
  bool operator==(const RecordEntry&) const = default;
};

// The record's entries, newest first, at most kRecordedFiles of them. Only
// read and written under the lock of the folder that holds it.
class WrittenRecord {
 public:
  static constexpr size_t kRecordedFiles = 300;

  // A record that cannot be read, or is not one, says nothing.
  explicit WrittenRecord(std::string record_file);
  const RecordEntry* Find(const std::string& key) const;
  // Makes `entry` the newest of its key, forgetting the oldest past
  // kRecordedFiles, and writes the record, unless it is so already. Throws
  // IoError when the record cannot be written.
  void Note(RecordEntry entry);

 private:
  std::string file_;
  std::vector<RecordEntry> entries_;
};

// The name `path` is known by in the record: its folder as the file system
// finds it, links followed, so that every way to the file gives one key;
// `path` itself when the folder cannot be found.
std::string RecordKey(const std::string& path);

// The name "<path>.bak" (number 0) or "<path>.N.bak".
std::string AsideName(const std::string& path, int number);

// An entry at the new combined file's name `path`, seen from the start of a
// Convert, and the record `record_file` of what Convert wrote there. An
// entry that is not, byte for byte, the file the record says Convert wrote
// there last is renamed to a name MAME never reads as a controller file.
// The earlier file need not be read while it is in the state the record
// noted; otherwise it is as large as the new one, so it is read on a thread
// of its own while the new one is made, and that reading counts at the
// rename only while the file is as it was then.
class EarlierFile {
 public:
  EarlierFile(std::string path, std::string record_file);
  // Stops the reading ahead and waits for it.
  ~EarlierFile();
  EarlierFile(const EarlierFile&) = delete;
  EarlierFile& operator=(const EarlierFile&) = delete;

  // The ".bak" a run stopped while it replaced the file kept a file of the
  // user's under, when it is there still; "" otherwise.
  std::string LeftAsideByAStoppedRun() const;

  // Whether the name holds the program's own file unchanged since, in the
  // state noted, and that file holds `contents` already: nothing is to be
  // replaced or noted then.
  bool HoldsAlready(const FileContents& contents);

  struct KeptAside {
    std::string path;  // "" when nothing was kept aside
    std::string why;   // what is known of the file kept aside
  };
  // Right before the new file, holding `contents`, takes the name: notes it
  // in the record beside the earlier one of the program's, or renames an
  // earlier entry that is not the program's own to the first free ".bak"
  // name, noted before; then checks again that the name is as judged and
  // not marked read-only, judging anew when it changed. Throws IoError when
  // the file is read-only or an entry cannot be renamed. A record that
  // cannot be written fails nothing: RecordFailure() tells.
  KeptAside PrepareForNewFile(const FileContents& contents);

  // Once the new file has the name: the record notes its state. A record
  // that cannot be written costs the next run a reading of the file only.
  void NoteInPlace();

  // Why the record could not name the new file before it took the name
  // (a later run keeps it aside then); "" when it could.
  const std::string& RecordFailure() const { return record_failure_; }

  // Returns once the reading ahead has ended.
  void WaitForReadingAhead() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  struct Verdict {
    bool ours = false;
    std::optional<FileContents> matched;  // the record's contents the file holds
    std::string why;                      // when not ours
  };
  void ReadAhead(std::uint64_t most);
  Verdict Judge(const std::optional<FileState>& seen);
  void Note(RecordEntry entry);

  std::string path_;
  std::string key_;
  WrittenRecord record_;
  std::optional<RecordEntry> entry_;  // the record's, at the start
  FileContents new_contents_;
  std::string record_failure_;
  std::atomic<bool> stop_{false};
  // The file as the thread read it, read once the thread has ended: set
  // only when it was unchanged while it was read.
  std::optional<FileState> ahead_state_;
  FileContents ahead_;
  std::thread thread_;
};

}  // namespace brantel
