#include "engine/io/work_folder.h"

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {
namespace {

std::string UniqueName() { return kWorkFolderPrefix + RandomNamePart(8); }

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
