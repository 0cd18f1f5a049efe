// A private folder for the files one Convert writes on its way: created
// exclusively under a unique name of the program's own, so no file of the
// user's can ever be in it or be mistaken for one of ours, and removed whole
// at the end, on success and on failure alike.
#pragma once

#include <memory>
#include <string>

#include "engine/io/file_safety.h"

namespace brantel {

inline constexpr const char* kWorkFolderPrefix = "~btwork-";

class WorkFolder {
 public:
  // Creates the folder in `parent` and holds its lock while it lives, so
  // that a later run can tell a folder in use from one left by a run that
  // was interrupted. Throws IoError naming `parent` on failure.
  explicit WorkFolder(const std::string& parent);
  // Removes it when Remove() did not; failures are dropped, as a destructor
  // cannot report them.
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string FilePath(const std::string& name) const;

  // Removes every file in it, then the folder. Throws IoError naming what
  // stays.
  void Remove();

 private:
  std::string path_;
  std::unique_ptr<FolderLock> lock_;
  bool removed_ = false;
};


// Removes the work folders in `parent` that runs which were interrupted left
// behind: folders of the program's own name that no running Convert holds.
// Never fails: what cannot be removed now is tried again by the next run.
void RemoveLeftWorkFolders(const std::string& parent);

}  // namespace brantel
