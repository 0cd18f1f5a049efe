// Folder operations on Windows: the system's paths are already host paths
// (drive letters, "\" separators), and the file system ignores letter case,
// so a lookup reports the name as it is stored on disk. The file system is
// reached through the UTF-16 functions (see wide_path.h); names come back in
// the ANSI code page, through their short names where it cannot spell them.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/wide_path.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

struct FindCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Drops trailing separators, but a drive's root keeps its backslash: "C:"
// alone would mean that drive's current directory.
void DropTrailingSeparators(std::wstring& path) {
  while (path.size() > 1 && IsSeparator(path.back()) && path[path.size() - 2] != L':') path.pop_back();
}

// COM¹ to COM³ and LPT¹ to LPT³, with any extension, are devices as well.
bool HasSuperscriptDeviceNumber(const std::wstring& name) {
  std::wstring base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  if (base.size() != 4 || (base[3] != L'\u00B9' && base[3] != L'\u00B2' && base[3] != L'\u00B3')) return false;
  return IsWindowsDeviceName(BestFitAnsi(base.substr(0, 3)) + "1");
}

// A name as the rest of the system can use it, or the reason why it cannot.
bool UsableName(const WIN32_FIND_DATAW& found, std::string& name, std::string& reason) {
  if (!ToAnsi(found.cFileName, name) && (!ToAnsi(found.cAlternateFileName, name) || name.empty())) {
    name.clear();
    reason = "The name has characters beyond the system's code page and no short name";
    return false;
  }
  if (IsWindowsDeviceName(name) || HasSuperscriptDeviceNumber(found.cFileName)) {
    reason = "Windows keeps this name for a device";
    return false;
  }
  return true;
}

}  // namespace

std::string HostPath(const std::string& path) { return path; }

std::string HostFolderName(const std::string& typed) {
  const size_t end = typed.find_last_not_of(" .");
  // A last piece of dots alone ("..", "a\..") names a folder of its own.
  if (end == std::string::npos || typed[end] == '\\' || typed[end] == '/') return typed;
  return typed.substr(0, end + 1);
}

std::string ProgramFolder() {
  // The buffer grows until the whole name fits: a full buffer may be cut short.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) ThrowLastError("Could not find the program folder of", "this program");
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return AnsiPath(buffer.substr(0, buffer.find_last_of(L'\\')));
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string FileNameIfPresent(const std::string& path) {
  // A wildcard would make the lookup a search; a file path holds none (the
  // "?" of a "\\?\" start is none).
  if (path.find_first_of("*?", path.rfind("\\\\?\\", 0) == 0 ? 4 : 0) != std::string::npos) return "";
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(WidePath(path).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return "";
  FindHandle closer(find);
  std::string name, reason;
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !UsableName(found, name, reason)) return "";
  return name;
}

void RemoveFile(const std::string& path) {
  if (!DeleteFileW(WidePath(path).c_str())) ThrowFileError("Could not delete", path);
}

namespace {

// The combined file is named after its folder, which the engine knows by its
// short name ("__D_~1WW") when the code page cannot spell the long one
// ("Łódź"): the file gets the long name, the one MAME's -ctrlr is given.
std::wstring WithLongFolderName(const std::wstring& path) {
  const size_t name = path.find_last_of(L"\\/") + 1, dot = path.rfind(L'.');
  if (dot == std::wstring::npos || dot < name || path.find(L'~', name) >= dot) return path;
  const std::wstring folder = path.substr(0, dot);
  std::wstring long_folder(folder.size() + MAX_PATH, L'\0');
  DWORD attributes = GetFileAttributesW(WidePath(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
  DWORD length = GetLongPathNameW(folder.c_str(), long_folder.data(), static_cast<DWORD>(long_folder.size()));
  if (length == 0 || length >= long_folder.size()) return path;
  long_folder.resize(length);
  return long_folder + path.substr(dot);
}

}  // namespace

void RenameOver(const std::string& from, const std::string& to) {
  if (!MoveFileExW(WidePath(from).c_str(), WidePath(WithLongFolderName(WideText(to))).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ThrowFileError("Could not replace", to);
  }
}

bool RenameIfFree(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails on an existing name.
  if (MoveFileExW(WidePath(from).c_str(), WidePath(WithLongFolderName(WideText(to))).c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
  SetLastError(error);
  ThrowLastError("Could not rename", from);
}

bool EntryExists(const std::string& path) {
  return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateNewFolder(const std::string& path) {
  if (CreateDirectoryW(WidePath(path).c_str(), nullptr)) return true;
  if (GetLastError() == ERROR_ALREADY_EXISTS) return false;
  ThrowLastError("Could not create the folder", path);
}

void RemoveEmptyFolderIfPresent(const std::string& path) {
  if (RemoveDirectoryW(WidePath(path).c_str())) return;
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return;
  SetLastError(code);
  ThrowLastError("Could not remove the folder", path);
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void ChangeDriveAndDirectory(const std::string& folder) {
  // The folder's drive comes with it: the current directory is per process
  // and carries its drive letter.
  if (!SetCurrentDirectoryW(WideText(folder).c_str())) {
    ThrowLastError("Could not change to the folder", folder);
  }
}

std::string CurrentDirectory() {
  DWORD needed = GetCurrentDirectoryW(0, nullptr);
  std::wstring buffer(needed, L'\0');
  DWORD length = needed == 0 ? 0 : GetCurrentDirectoryW(needed, buffer.data());
  if (length == 0 || length >= needed) ThrowLastError("Could not read the current folder", ".");
  buffer.resize(length);
  return AnsiPath(buffer);
}

std::string FullFolderPath(const std::string& folder) {
  const std::wstring wide = WideText(folder);
  DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) ThrowLastError("Could not find the folder", folder);
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) ThrowLastError("Could not find the folder", folder);
  full.resize(length);
  // A short name typed for a folder ("HOTR~ASW") becomes its long name, the
  // one the combined file must be named after.
  needed = GetLongPathNameW(full.c_str(), nullptr, 0);
  if (needed > 0) {
    std::wstring long_path(needed, L'\0');
    length = GetLongPathNameW(full.c_str(), long_path.data(), needed);
    if (length > 0 && length < needed) full.assign(long_path, 0, length);
  }
  DropTrailingSeparators(full);
  return AnsiPath(full);
}

namespace {

// Calls `visit` for each entry of `folder` whose name begins with `prefix`;
// nothing for a folder that holds none. Throws IoError when the folder cannot
// be listed to its end.
template <typename Visit>
void ForEachEntry(const std::string& folder, const std::string& prefix, Visit visit) {
  std::wstring pattern = WideText(folder);
  DropTrailingSeparators(pattern);
  if (pattern.empty() || !IsSeparator(pattern.back())) pattern += L'\\';
  pattern += WideText(prefix) + L'*';
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(WidePath(pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return;
    ThrowLastError("Could not list the folder", folder);
  }
  FindHandle closer(find);
  do {
    visit(found);
  } while (FindNextFileW(find, &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) ThrowLastError("Could not list the folder", folder);
}

}  // namespace

std::vector<std::string> OrdinaryFileNames(const std::string& folder, std::vector<UnusableFile>* unusable) {
  // Files only, and not Windows' own: a file both hidden and system (such
  // as the desktop.ini that Explorer writes). A file the user hid is theirs.
  // Names beginning with "." are left out as on POSIX (and Wine shows the
  // Unix files so named as hidden).
  const DWORD windows_own = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  std::vector<std::string> names;
  ForEachEntry(folder, "", [&](const WIN32_FIND_DATAW& found) {
    std::string name, reason;
    const bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((found.dwFileAttributes & windows_own) == 0 && is_folder && unusable != nullptr &&
        UsableName(found, name, reason) && name != "." && name != "..") {
      unusable->push_back({name, "a folder, not a file"});
    }
    if (is_folder || (found.dwFileAttributes & windows_own) == windows_own || found.cFileName[0] == L'.') return;
    if (UsableName(found, name, reason)) {
      names.push_back(name);
    } else if (unusable != nullptr) {
      unusable->push_back({BestFitAnsi(found.cFileName), reason});
    }
  });
  return names;
}

std::vector<std::string> FolderNamesStartingWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  ForEachEntry(folder, prefix, [&](const WIN32_FIND_DATAW& found) {
    std::string name, reason;
    const bool folder_itself = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                               (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    if (folder_itself && UsableName(found, name, reason)) names.push_back(name);
  });
  return names;
}

std::vector<FolderEntry> FolderEntries(const std::string& folder) {
  std::vector<FolderEntry> entries;
  ForEachEntry(folder, "", [&](const WIN32_FIND_DATAW& found) {
    std::string name, reason;
    const DWORD not_a_file = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    const bool usable = UsableName(found, name, reason);
    if (!usable) name = BestFitAnsi(found.cFileName);
    if (name != "." && name != "..") entries.push_back({name, usable && (found.dwFileAttributes & not_a_file) == 0});
  });
  return entries;
}

bool IsDeviceName(const std::string& name) {
  return IsWindowsDeviceName(name) || HasSuperscriptDeviceNumber(WideText(name));
}

}  // namespace brantel
