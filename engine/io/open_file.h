// Opening the files that line files read and write. No handle of ours ever
// passes to a program we start (not inheritable on Windows, close-on-exec on
// POSIX), and a failure names the file with the system's reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace brantel {

struct FileCloser {
  void operator()(std::FILE* file) const;
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

enum class OpenMode {
  kRead,       // an existing file, from its start
  kReplace,    // created, or emptied when it exists
  kCreateNew,  // created; fails when an entry of that name exists already
};

// Opens `path` (the host's form) as bytes, without a buffer of the C
// library's: line files read and write in blocks of their own. Throws IoError naming the file,
// e.g. `what_failed` "C:\mame\ctrlr\a.ini": <reason>.
FileHandle OpenFile(const std::string& path, OpenMode mode, const char* what_failed);

// A private file for bytes too many to hold in memory, in `folder`: read
// and written, and with no name left there once it is made (on Windows, none
// once it is closed), so that nothing of it outlives the program, however it
// ends. Throws IoError naming `target_path`, the file it serves, on failure.
FileHandle CreateScratchFile(const std::string& folder, const std::string& target_path);
// Opens the existing ordinary file `path` for reading, as OpenFile does, but
// refuses at once whatever else bears the name (a FIFO, a device, a folder),
// which could block a read for ever or never end. With `follow_link` false a
// link of that name is refused too. Throws IoError naming the file.
FileHandle OpenOrdinaryFile(const std::string& path, const char* what_failed, bool follow_link = true);

// Makes the data written to `file` (already flushed from its buffer) reach
// the disk, so that a power cut after a rename never leaves the new name on an
// empty file. Returns false, with errno set where the host has one, when it
// could not.
bool FlushToDisk(std::FILE* file);

// Moves the next read or write of `file` to `offset` bytes from its start,
// beyond what a long can say. Returns false, with errno set where the host
// has one, when it could not.
bool SeekFile(std::FILE* file, std::uint64_t offset);

// What tells a file and its contents at one moment from another moment's
// without reading it: the file itself (its device and number), its size and
// its times of last write and last change. The change time moves with every
// write and cannot be set back, so equal states mean an unchanged file.
struct FileState {
  std::uint64_t device = 0, number = 0, size = 0;
  std::int64_t written = 0, changed = 0;
  bool operator==(const FileState&) const = default;
};

// The state of an open file; none when the system cannot tell it.
std::optional<FileState> StateOfOpenFile(std::FILE* file);
// The state of the entry `path` itself, a link not followed; none when there
// is no such entry or the system cannot tell it.
std::optional<FileState> StateOfEntry(const std::string& path);

}  // namespace brantel
