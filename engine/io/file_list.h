// The file list: the ordinary files of one folder whose names match a
// pattern, sorted by name without regard to case, as Windows lists them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/io/folder.h"

namespace brantel {

class FileList {
 public:
  // Starts empty, on no folder, with the pattern "*.ini": nothing depends
  // on the folder the program was started in.
  FileList() = default;

  // The full path of the folder, without a trailing separator.
  const std::string& Path() const { return path_; }
  // Resolves `path` against the current directory and lists it. Throws
  // IoError, and keeps the previous path and listing, when it names no folder.
  void SetPath(const std::string& path);

  // On no folder: the list is empty until the next SetPath.
  void Clear();

  const std::string& Pattern() const { return pattern_; }
  // Sets a pattern of "*" and "?" wildcards and lists the folder again.
  // Never fails: a folder that can no longer be listed shows an empty list.
  void SetPattern(const std::string& pattern);

  // Lists the folder again; throws IoError when it cannot be read.
  void Refresh();

  size_t ListCount() const { return names_.size(); }
  const std::string& List(size_t index) const { return names_.at(index); }
  const std::vector<std::string>& Names() const { return names_; }
  // Files that match the pattern but that no file operation can open (see
  // OrdinaryFileNames), so they are not listed.
  const std::vector<UnusableFile>& UnusableFiles() const { return unusable_; }

  // Called after every new listing, e.g. to show it.
  void SetChangeObserver(std::function<void()> observer);

 private:
  void Rebuild(const std::string& folder);

  std::string path_;
  std::string pattern_ = "*.ini";
  std::vector<std::string> names_;
  std::vector<UnusableFile> unusable_;
  std::function<void()> observer_;
};

// True when `name` matches `pattern` ("*" any run, "?" one character),
// compared without regard to ASCII case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace brantel
