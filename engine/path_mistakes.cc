#include "engine/path_mistakes.h"

#include <filesystem>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/mame_location.h"
#include "engine/text_rules.h"
#include "tools/mame_program.h"

namespace brantel {
namespace {

// Ending in a separator, as the path to MAME is kept.
std::string FolderAbove(const std::string& path) { return JoinPath(FolderOfFile(path), ""); }

bool IsWholePath(const std::string& host_path) {
  const std::filesystem::path path(host_path);
  return path.has_root_directory() || path.has_root_name();
}

// A file that starts a program: on POSIX one that may be run, on Windows one
// whose name ends as a program's does.
bool IsProgramFile(const std::string& path) {
  if (FileNameIfPresent(path).empty() || FindMameProgram("", path).empty()) return false;
#ifdef _WIN32
  const size_t dot = path.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : UpperAscii(path.substr(dot));
  return extension == ".EXE" || extension == ".COM" || extension == ".BAT" || extension == ".CMD";
#else
  return true;
#endif
}

bool HoldsCtrlr(const std::string& folder) { return FolderExists(JoinPath(folder, "ctrlr")); }

// The MAME program given as the path: the folder that holds ctrlr, which is
// the program's own folder on Windows, but not for Debian's /usr/games/mame,
// whose user keeps controller files in MAME's own ini folder (~/.mame/).
std::string ProgramHint(const std::string& program) {
  const std::string above = FolderAbove(program);
  if (HoldsCtrlr(above)) return "The path to MAME names the program itself; use the folder that holds it: " + above;
  for (const std::string& mame_ini : MameIniFiles(above)) {
    const std::string own = FolderAbove(mame_ini);
    if (own != above && HoldsCtrlr(own)) {
      return "The path to MAME names the program itself; use MAME's own folder, which holds ctrlr: " + own;
    }
  }
  return "The path to MAME names the program itself; use the folder that holds your ctrlr folder";
}

// A whole path, or the shell's "~" (which means nothing inside ctrlr), given
// as the folder name; empty for neither.
std::string FolderNameHint(const std::string& folder_name) {
  const std::string inside = "use the name of the folder inside ctrlr";
#ifndef _WIN32
  if (folder_name == "~" || folder_name.starts_with("~/")) {
    const std::string last = LastPathPiece(WithoutTrailingSeparators(folder_name.substr(1)));
    return "The folder name starts with \"~\", your home folder; " + inside + (last.empty() ? "" : ": " + last);
  }
#endif
  const std::string name = WithoutTrailingSeparators(HostPath(folder_name));
  if (IsWholePath(name) && !LastPathPiece(name).empty()) {
    return "The folder name holds a whole path; " + inside + ": " + LastPathPiece(name);
  }
  return "";
}

}  // namespace

std::string WhatWasMeant(const std::string& mame_path, const std::string& folder_name) {
  std::vector<std::string> lines;
  const std::string mame = WithoutTrailingSeparators(HostPath(mame_path));
  // Only a program: a text or an INI file given as the path is another mistake.
  if (IsProgramFile(mame)) {
    lines.push_back(ProgramHint(mame));
  } else if (UpperAscii(LastPathPiece(mame)) == "CTRLR" && FolderExists(mame)) {
    lines.push_back("The path to MAME names MAME's ctrlr folder; use the folder above it: " + FolderAbove(mame));
  }
  if (std::string hint = FolderNameHint(folder_name); !hint.empty()) lines.push_back(std::move(hint));
  std::string said;
  for (const std::string& line : lines) said += (said.empty() ? "" : "\n") + line;
  return said;
}

}  // namespace brantel
