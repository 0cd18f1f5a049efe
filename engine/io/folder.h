// Folder operations on the host file system. Paths are in the system's own
// form ("\" separators); each function maps them to the host form.
#pragma once

#include <string>
#include <vector>

namespace brantel {

// The folder holding the running executable, without a trailing separator.
std::string ProgramFolder();

// True when `path` (usually ending in "\") names an existing folder.
bool FolderExists(const std::string& path);

// The file's name as stored on disk when an ordinary file exists at `path`,
// otherwise the empty string. Never fails.
std::string FileNameIfPresent(const std::string& path);

// Removes the file; throws IoError naming it when that is not possible.
void RemoveFile(const std::string& path);

// Renames `from` to `to`, replacing a file of that name in one step; throws
// IoError naming `to` when that is not possible.
void RenameOver(const std::string& from, const std::string& to);

// Makes `folder` (and its drive, where the host has drive letters) the current
// directory; throws IoError naming it when that is not possible.
void ChangeDriveAndDirectory(const std::string& folder);

// The current directory of the process.
std::string CurrentDirectory();

// `folder` made absolute against the current directory, "." and ".."
// resolved, without a trailing separator (a root keeps its own), in the
// host's form. Throws IoError naming the folder when that is not possible.
std::string FullFolderPath(const std::string& folder);

// The names, as stored, of the ordinary files in `folder`, in no particular
// order. Throws IoError naming the folder when it cannot be read.
std::vector<std::string> OrdinaryFileNames(const std::string& folder);

}  // namespace brantel
