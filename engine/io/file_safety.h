// What keeps the user's files safe from the program's own writes: files are
// created new and exclusively, never through an existing entry; folders are
// compared by where they really are; two Converts on the same folders take
// turns.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/io/line_file.h"

namespace brantel {

// Creates `path` as a new file for writing. Returns no file, and sets
// `exists`, when an entry of that name is already there; throws IoError
// naming the file on any other failure. While it is open, a clean-up sees it
// is in use (RemoveFileNoOneHolds).
FileHandle CreateNewFile(const std::string& path, bool& exists);

// Removes the entry `path` itself (a link, never what it points to); nothing
// happens when there is none. Throws IoError naming it when it stays.
void RemoveEntryIfPresent(const std::string& path);

// Removes the ordinary file `path` (never a link, folder, FIFO or device,
// which are not even opened) unless a running process is writing it (holds
// its lock, or on Windows has it open for writing) or, on Linux, has it
// open at all. Returns whether it was removed; never throws.
bool RemoveFileNoOneHolds(const std::string& path);

// Whether files can be created in `folder`, found by creating one (a
// temporary file, removed at once), as permissions alone do not tell on
// Windows. Only a refusal (no permission, a read-only medium) is a no; any
// other failure (a full disk, too many open files) throws IoError naming
// the folder.
bool CanCreateFilesIn(const std::string& folder);

// The full path of the folder as the file system finds it, links followed,
// without a trailing separator. Throws IoError naming the folder.
std::string RealFolderPath(const std::string& folder);

// Held while it lives: no other process holds a lock on the same folder,
// however its path is spelt. Waits for one held elsewhere, calling
// `while_waiting` (when given) every 50 ms meanwhile; the system frees it
// when a process ends, so a crashed Convert never blocks the next.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder, const std::function<void()>& while_waiting = {});
  // Takes the lock only when no one holds it, without waiting; held() tells.
  struct TryOnly {};
  FolderLock(const std::string& folder, TryOnly);
  bool held() const { return handle_ != nullptr; }
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace brantel
