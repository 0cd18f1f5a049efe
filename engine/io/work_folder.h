// A private folder for the files one Convert writes on its way: created
// exclusively under a unique name of the program's own and marked as ours by
// a file no user writes, so no file of the user's can ever be in it or be
// mistaken for one of ours, and removed whole at the end, on success and on
// failure alike.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/io/file_safety.h"

namespace brantel {

inline constexpr const char* kWorkFolderPrefix = "~btwork-";
// Written first into every work folder: a left-over folder without it, or
// with other contents, is not ours to remove.
inline constexpr const char* kWorkFolderMarkName = "~btwork.mark";
inline constexpr const char* kWorkFolderMarkText = "brantel Manager work folder: removed by the program itself";

class WorkFolder {
 public:
  // Creates the folder in `parent`, holds its lock while it lives (so that
  // a later run can tell a folder in use from one left by a run that was
  // interrupted) and marks it. `made` is called between making a folder and
  // locking it, where another run's clean-up may lock it first; such a
  // folder is not used. Throws IoError naming `parent` on failure.
  explicit WorkFolder(const std::string& parent,
                      const std::function<void(const std::string& made)>& made = {});
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

// True when `name` begins as the work folders' names do, in any case.
bool IsWorkFolderName(const std::string& name);

// True for the names of the files a work folder holds: translated sections
// ("*.cfg"), the user's systems ("*.xml"), temporary files and the mark.
bool IsWorkFileName(const std::string& name);

// A left-over that was not removed, and why.
struct LeftAlone {
  std::string path;
  std::string reason;
};

// Removes the work folders in `parent` that interrupted runs left behind:
// folders of the program's own name that carry its mark, hold nothing but
// files a work folder holds, and that no running Convert holds. Each is
// judged on its own; the others, and those that cannot be removed now, are
// left and returned. Never throws.
std::vector<LeftAlone> RemoveLeftWorkFolders(const std::string& parent);

// Removes the temporary files ("~bt??????.tmp") that a run killed while it
// replaced a file in `folder`, or tried whether it can write there, left
// behind. The caller holds the lock through which every writer of such files
// in that folder goes, so none of them is being written. Never throws.
void RemoveLeftTemporaryFiles(const std::string& folder);

}  // namespace brantel
