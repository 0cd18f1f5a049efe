// Folder operations on Windows: the system's paths are already host paths
// (drive letters, "\" separators), and the file system ignores letter case,
// so a lookup reports the name as it is stored on disk.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {
namespace {

// The system's text for an error code.
std::string ErrorReason(DWORD code) {
  char buffer[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, sizeof buffer, nullptr);
  std::string reason(buffer, length);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason.empty() ? "Windows error " + std::to_string(code) : reason;
}

// Throws the failure of the call just made; its error code is read first,
// before anything else can change it.
[[noreturn]] void ThrowLastError(const char* what_failed, const std::string& file) {
  DWORD code = GetLastError();
  throw IoError(what_failed, file, ErrorReason(code));
}

struct FindCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

}  // namespace

std::string HostPath(const std::string& path) { return path; }

std::string ProgramFolder() {
  // The buffer grows until the whole name fits: a full buffer may be cut short.
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) ThrowLastError("Could not find the program folder of", "this program");
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return buffer.substr(0, buffer.find_last_of('\\'));
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string FileNameIfPresent(const std::string& path) {
  // A wildcard would make the lookup a search; a file path holds none.
  if (path.find_first_of("*?") != std::string::npos) return "";
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(path.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return "";
  FindHandle closer(find);
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "";
  return found.cFileName;
}

void RemoveFile(const std::string& path) {
  if (!DeleteFileA(path.c_str())) ThrowLastError("Could not delete", path);
}

void RenameOver(const std::string& from, const std::string& to) {
  if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ThrowLastError("Could not replace", to);
  }
}

void ChangeDriveAndDirectory(const std::string& folder) {
  // The folder's drive comes with it: the current directory is per process
  // and carries its drive letter.
  if (!SetCurrentDirectoryA(folder.c_str())) {
    ThrowLastError("Could not change to the folder", folder);
  }
}

std::string CurrentDirectory() {
  DWORD needed = GetCurrentDirectoryA(0, nullptr);
  std::string buffer(needed, '\0');
  DWORD length = needed == 0 ? 0 : GetCurrentDirectoryA(needed, buffer.data());
  if (length == 0 || length >= needed) {
    ThrowLastError("Could not read the current folder", ".");
  }
  buffer.resize(length);
  return buffer;
}

std::string FullFolderPath(const std::string& folder) {
  DWORD needed = GetFullPathNameA(folder.c_str(), 0, nullptr, nullptr);
  if (needed == 0) ThrowLastError("Could not find the folder", folder);
  std::string full(needed, '\0');
  DWORD length = GetFullPathNameA(folder.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) ThrowLastError("Could not find the folder", folder);
  full.resize(length);
  // A drive's root keeps its backslash: "C:" alone would mean that drive's
  // current directory.
  while (full.size() > 1 && (full.back() == '\\' || full.back() == '/') && full[full.size() - 2] != ':') {
    full.pop_back();
  }
  return full;
}

std::vector<std::string> OrdinaryFileNames(const std::string& folder) {
  // The "A" functions keep names in the ANSI code page, like every other
  // file operation here, so a listed name opens as it stands.
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return {};
    ThrowLastError("Could not list the folder", folder);
  }
  FindHandle closer(find);
  std::vector<std::string> names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) ThrowLastError("Could not list the folder", folder);
  return names;
}

}  // namespace brantel
