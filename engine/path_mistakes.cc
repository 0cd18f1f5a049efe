#include "engine/path_mistakes.h"

#include <filesystem>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

// Ending in a separator, as the path to MAME is kept.
std::string FolderAbove(const std::string& path) { return JoinPath(FolderOfFile(path), ""); }

bool IsWholePath(const std::string& host_path) {
  const std::filesystem::path path(host_path);
  return path.has_root_directory() || path.has_root_name();
}

}  // namespace

std::string WhatWasMeant(const std::string& mame_path, const std::string& folder_name) {
  std::vector<std::string> lines;
  const std::string mame = WithoutTrailingSeparators(HostPath(mame_path));
  if (!FileNameIfPresent(mame).empty()) {
    lines.push_back("The path to MAME names the program itself; use the folder that holds it: " + FolderAbove(mame));
  } else if (UpperAscii(LastPathPiece(mame)) == "CTRLR" && FolderExists(mame)) {
    lines.push_back("The path to MAME names MAME's ctrlr folder; use the folder above it: " + FolderAbove(mame));
  }
  const std::string name = WithoutTrailingSeparators(HostPath(folder_name));
  if (IsWholePath(name) && !LastPathPiece(name).empty()) {
    lines.push_back("The folder name holds a whole path; use the name of the folder inside ctrlr: " + LastPathPiece(name));
  }
  std::string said;
  for (const std::string& line : lines) said += (said.empty() ? "" : "\n") + line;
  return said;
}

}  // namespace brantel
