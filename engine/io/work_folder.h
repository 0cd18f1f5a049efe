// What runs that were killed leave behind, and its removal: temporary files
// beside the files they replace, and the private work folders that versions
// up to 1.0.0 wrote their intermediate files in (no version writes them any
// more; their removal stays so that users upgrading are cleaned up after).
#pragma once

#include <string>
#include <vector>

namespace brantel {

inline constexpr const char* kWorkFolderPrefix = "~btwork-";
// Written first into every work folder: a left-over folder without it, or
// with other contents, is not ours to remove.
inline constexpr const char* kWorkFolderMarkName = "~btwork.mark";
inline constexpr const char* kWorkFolderMarkText = "brantel Manager work folder: removed by the program itself";

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
// behind. A file that a running program holds open (one being written) is
// left alone. Never throws.
void RemoveLeftTemporaryFiles(const std::string& folder);

}  // namespace brantel
