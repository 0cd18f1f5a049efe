// Folder operations on the host file system. Paths are in the host's form
// (see host_path.h) and used as given.
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

// Renames the entry `from` (a link itself, not what it leads to) to `to`
// only when no entry bears that name: returns false then, and `from` stays.
// Throws IoError naming `from` on any other failure.
bool RenameIfFree(const std::string& from, const std::string& to);
// True when an entry of any kind, even a link that leads nowhere, is at `path`.
bool EntryExists(const std::string& path);
// Creates `path` as a new folder. Returns false when an entry of that name
// is already there; throws IoError naming it on any other failure.
bool CreateNewFolder(const std::string& path);

// Removes the empty folder `path` (a link of that name is not followed);
// nothing happens when there is none. Throws IoError naming it when it stays.
void RemoveEmptyFolderIfPresent(const std::string& path);

// True when an ordinary file at `path`, or the file a link of that name leads
// to, is marked read-only: no one may write it, so replacing it would undo
// the user's choice.
bool IsReadOnlyFile(const std::string& path);

// Makes `folder` (and its drive, where the host has drive letters) the current
// directory; throws IoError naming it when that is not possible.
void ChangeDriveAndDirectory(const std::string& folder);

// The current directory of the process.
std::string CurrentDirectory();

// `folder` made absolute against the current directory, "." and ".."
// resolved, without a trailing separator (a root keeps its own), in the
// host's form. Throws IoError naming the folder when that is not possible.
std::string FullFolderPath(const std::string& folder);

// A file that no file operation here can open, and why.
struct UnusableFile {
  std::string name;
  std::string reason;
};

// The names, as stored, of the ordinary files in `folder` that a file list
// box shows by default, in no particular order: no names beginning with ".",
// and on Windows no file both hidden and system (Windows' own desktop.ini);
// a file the user hid is listed. An entry that is no such file (a
// folder, a FIFO, a device, a link that leads to none of them or nowhere)
// goes to `unusable` with the reason, and is never opened. On Windows a name the ANSI code
// page cannot spell comes as its short name; a device name ("aux.ini"), or a
// name without a spelling, goes to `unusable` instead. Throws IoError naming
// the folder when it cannot be read.
std::vector<std::string> OrdinaryFileNames(const std::string& folder,
                                           std::vector<UnusableFile>* unusable = nullptr);

// The names of the folders in `folder` (links not counted) that begin with
// `prefix`, which holds ASCII characters only. Throws IoError naming the
// folder when it cannot be read.
std::vector<std::string> FolderNamesStartingWith(const std::string& folder, const std::string& prefix);

// An entry of a folder, whatever it is, as a clean-up judges it.
struct FolderEntry {
  std::string name;
  bool ordinary_file;  // a file itself: not a link, folder, FIFO or device
};

// Every entry of `folder`, hidden ones too, in no particular order. Throws
// IoError naming the folder when it cannot be read to its end.
std::vector<FolderEntry> FolderEntries(const std::string& folder);

// True when the host keeps `name` for a device (Windows: "nul", "COM1.cfg").
bool IsDeviceName(const std::string& name);

}  // namespace brantel
