#include "engine/io/work_folder.h"

#include <chrono>
#include <random>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {
namespace {

std::string UniqueName() {
  static std::mt19937_64 random(std::random_device{}() ^
                                static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = kWorkFolderPrefix;
  for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// Every file in a work folder is ours: the folder was made new, under a name
// of our own. The lock is held meanwhile, so no other run takes it for a
// leftover at the same time.
void RemoveFolderAndFiles(const std::string& folder) {
  for (const std::string& name : OrdinaryFileNames(folder)) RemoveEntryIfPresent(JoinPath(folder, name));
  RemoveEmptyFolderIfPresent(folder);
}

}  // namespace

WorkFolder::WorkFolder(const std::string& parent) {
  for (int attempt = 0; attempt < 100 && !lock_; ++attempt) {
    std::string path = JoinPath(parent, UniqueName());
    if (!CreateNewFolder(path)) continue;
    // Another run may take the new folder for a leftover before it is locked.
    try {
      auto lock = std::make_unique<FolderLock>(path, FolderLock::TryOnly{});
      if (!lock->held()) continue;
      lock_ = std::move(lock);
      path_ = std::move(path);
    } catch (const IoError&) {
    }
  }
  if (!lock_) throw IoError("Could not make a work folder in", parent, "File exists");
}

WorkFolder::~WorkFolder() {
  if (removed_) return;
  try {
    Remove();
  } catch (const IoError&) {
    // The next run removes what is left (RemoveLeftWorkFolders).
  }
}

std::string WorkFolder::FilePath(const std::string& name) const { return JoinPath(path_, name); }

void WorkFolder::Remove() {
  if (removed_) return;
  RemoveFolderAndFiles(path_);
  lock_.reset();
  removed_ = true;
}

std::string FolderOfFile(const std::string& path) {
  const size_t separator = LastSeparator(path);
  if (separator == std::string::npos) return ".";
  return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

void RemoveLeftWorkFolders(const std::string& parent) {
  try {
    for (const std::string& name : FolderNamesStartingWith(parent, kWorkFolderPrefix)) {
      const std::string folder = JoinPath(parent, name);
      FolderLock lock(folder, FolderLock::TryOnly{});
      if (lock.held()) RemoveFolderAndFiles(folder);  // not a running Convert's
    }
  } catch (const IoError&) {
    // Tried again by the next run.
  }
}

}  // namespace brantel
