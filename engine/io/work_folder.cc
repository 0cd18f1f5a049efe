#include "engine/io/work_folder.h"

#include <cctype>

#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"

namespace brantel {
namespace {

bool EndsWith(const std::string& name, const std::string& ending) {
  return name.size() > ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
}

// The mark's one line, and nothing else.
bool IsMarked(const std::string& folder) {
  try {
    const std::string text = kWorkFolderMarkText;
    LineReader mark(JoinPath(folder, kWorkFolderMarkName), LineReader::Marks::kIgnore, text.size() + 1);
    return !mark.AtEnd() && mark.ReadLine() == text && mark.AtEnd();
  } catch (const IoError&) {
    return false;
  }
}

// The mark goes last, so that a folder whose removal was interrupted is
// still known for ours.
void RemoveFolderAndFiles(const std::string& folder) {
  for (const FolderEntry& entry : FolderEntries(folder)) {
    if (entry.name != kWorkFolderMarkName) RemoveEntryIfPresent(JoinPath(folder, entry.name));
  }
  RemoveEntryIfPresent(JoinPath(folder, kWorkFolderMarkName));
  RemoveEmptyFolderIfPresent(folder);
}

// Empty when the left-over folder is provably ours: marked, and holding
// only files of the names a work folder holds.
std::string WhyNotOurs(const std::string& folder) {
  // Looked at before the mark is read: a FIFO or device under its name is
  // never opened.
  for (const FolderEntry& entry : FolderEntries(folder)) {
    if (!entry.ordinary_file || !IsWorkFileName(entry.name)) {
      return "it holds \"" + entry.name + "\", which no work folder holds";
    }
  }
  if (!IsMarked(folder)) return "it does not carry the program's mark";
  return "";
}

}  // namespace

bool IsWorkFolderName(const std::string& name) {
  const std::string prefix = kWorkFolderPrefix;
  if (name.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(name[i])) != prefix[i]) return false;
  }
  return true;
}

bool IsWorkFileName(const std::string& name) {
  return name == kWorkFolderMarkName || IsTemporaryFileName(name) || EndsWith(name, ".cfg") || EndsWith(name, ".xml");
}

std::vector<LeftAlone> RemoveLeftWorkFolders(const std::string& parent) {
  std::vector<LeftAlone> left;
  std::vector<std::string> names;
  try {
    names = FolderNamesStartingWith(parent, kWorkFolderPrefix);
  } catch (const IoError& error) {
    return {{parent, error.reason()}};
  }
  for (const std::string& name : names) {
    const std::string folder = JoinPath(parent, name);
    try {
      FolderLock lock(folder, FolderLock::TryOnly{});
      if (!lock.held()) continue;  // a running Convert's
      std::string why = WhyNotOurs(folder);
      if (why.empty()) RemoveFolderAndFiles(folder);
      if (!why.empty()) left.push_back({folder, std::move(why)});
    } catch (const IoError& error) {
      left.push_back({folder, error.reason()});
    }
  }
  return left;
}

void RemoveLeftTemporaryFiles(const std::string& folder) {
  try {
    for (const std::string& name : OrdinaryFileNames(folder)) {
      if (IsTemporaryFileName(name)) RemoveFileNoOneHolds(JoinPath(folder, name));
    }
  } catch (const IoError&) {
    // Tried again by the next run.
  }
}

}  // namespace brantel
