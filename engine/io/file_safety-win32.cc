// File safety on Windows: exclusive creation, the final path of a folder
// handle, and a named mutex per folder identity (volume serial number and
// file index), which the system frees when the process that holds it ends.
// Paths reach the file system through the UTF-16 functions, like every other
// file operation here.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>
#include <vector>

#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/owned_handle-win32.h"
#include "engine/io/wide_path.h"

namespace brantel {
namespace {

OwnedHandle OpenFolder(const std::string& folder) {
  HANDLE handle = CreateFileW(WidePath(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) ThrowLastError("Could not open the folder", folder);
  return OwnedHandle(handle);
}

}  // namespace

bool RemoveFileNoOneHolds(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  const DWORD not_a_file = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & not_a_file) != 0) return false;
  // Sharing reading only: refused while a process has the file open for
  // writing; otherwise the file goes when this handle closes.
  HANDLE handle = CreateFileW(WidePath(path).c_str(), DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

FileHandle CreateNewFile(const std::string& path, bool& exists) {
  exists = false;
  try {
    return OpenFile(path, OpenMode::kCreateNew, "Could not create the file");
  } catch (const IoError&) {
    exists = GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!exists) throw;
    return nullptr;
  }
}

void RemoveEntryIfPresent(const std::string& path) {
  if (DeleteFileW(WidePath(path).c_str())) return;
  DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND) return;
  SetLastError(code);
  ThrowLastError("Could not remove the earlier file", path);
}

bool CanCreateFilesIn(const std::string& folder) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = JoinPath(folder, NewTemporaryFileName());
    HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      CloseHandle(handle);
      return true;
    }
    const DWORD code = GetLastError();
    if (code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT) return false;
    if (code != ERROR_FILE_EXISTS) {
      SetLastError(code);
      ThrowLastError("Could not create a test file in the folder", folder);
    }
  }
  SetLastError(ERROR_FILE_EXISTS);
  ThrowLastError("Could not create a test file in the folder", folder);
}

std::string RealFolderPath(const std::string& folder) {
  OwnedHandle handle = OpenFolder(folder);
  std::vector<wchar_t> buffer(32768);
  DWORD size = static_cast<DWORD>(buffer.size());
  DWORD length = GetFinalPathNameByHandleW(handle.get(), buffer.data(), size, VOLUME_NAME_DOS);
  if (length == 0 || length >= size) return FullFolderPath(folder);
  std::wstring path(buffer.data(), length);
  if (path.rfind(L"\\\\?\\", 0) == 0) path.erase(0, 4);
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return AnsiPath(path);
}

struct FolderLock::Handle {
  OwnedHandle mutex;
};

namespace {

// The folder's mutex, held; none when `wait` is false and another process
// holds it.
OwnedHandle LockFolder(const std::string& folder, bool wait, const std::function<void()>& while_waiting) {
  BY_HANDLE_FILE_INFORMATION info;
  {
    OwnedHandle handle = OpenFolder(folder);
    if (!GetFileInformationByHandle(handle.get(), &info)) ThrowLastError("Could not lock the folder", folder);
  }
  std::string name = "Local\\brantel-folder-" + std::to_string(info.dwVolumeSerialNumber) + "-" +
                     std::to_string(info.nFileIndexHigh) + "-" + std::to_string(info.nFileIndexLow);
  OwnedHandle mutex(CreateMutexA(nullptr, FALSE, name.c_str()));
  if (!mutex) ThrowLastError("Could not lock the folder", folder);
  DWORD waited;
  while ((waited = WaitForSingleObject(mutex.get(), wait ? 50 : 0)) == WAIT_TIMEOUT) {
    if (!wait) return OwnedHandle();
    if (while_waiting) while_waiting();
  }
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) ThrowLastError("Could not lock the folder", folder);
  return mutex;
}

}  // namespace

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& while_waiting)
    : handle_(std::make_unique<Handle>(Handle{LockFolder(folder, true, while_waiting)})) {}

FolderLock::FolderLock(const std::string& folder, TryOnly) {
  OwnedHandle mutex = LockFolder(folder, false, {});
  if (mutex) handle_ = std::make_unique<Handle>(Handle{std::move(mutex)});
}

FolderLock::~FolderLock() {
  if (handle_) ReleaseMutex(handle_->mutex.get());
}

}  // namespace brantel
