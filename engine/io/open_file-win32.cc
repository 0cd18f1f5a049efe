#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/open_file.h"
#include "engine/io/owned_handle-win32.h"
#include "engine/io/wide_path.h"

namespace brantel {

FileHandle OpenFile(const std::string& path, OpenMode mode, const char* what_failed) {
  const bool reading = mode == OpenMode::kRead;
  const DWORD disposition = reading ? OPEN_EXISTING : mode == OpenMode::kReplace ? CREATE_ALWAYS : CREATE_NEW;
  // No security attributes: the handle is not inheritable, so no program we
  // start holds our files open. Others may read and write alongside, as with
  // the C runtime's own opens, and may replace the file while it is read.
  HANDLE raw = CreateFileW(WidePath(path).c_str(), reading ? GENERIC_READ : GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  if (raw == INVALID_HANDLE_VALUE) ThrowFileError(what_failed, path);
  OwnedHandle handle(raw);
  // A device (a name such as "aux.ini") or a pipe may block a read for ever
  // or swallow what is written.
  switch (GetFileType(raw)) {
    case FILE_TYPE_DISK: break;
    case FILE_TYPE_PIPE: throw IoError(what_failed, path, "It is a pipe, not a file");
    default: throw IoError(what_failed, path, "The name is a device, not a file");
  }
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(raw), (reading ? _O_RDONLY : _O_WRONLY) | _O_BINARY);
  if (descriptor < 0) throw IoError(what_failed, path, "Too many open files");
  handle.release();  // the C runtime file owns it now
  FileHandle file(_fdopen(descriptor, reading ? "rb" : "wb"));
  if (!file) {
    _close(descriptor);
    throw IoError(what_failed, path, "Too many open files");
  }
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return file;
}

// Shared with no one, and deleted by the system when its handle closes,
// which it does when the program ends in any way.
FileHandle CreateScratchFile(const std::string& folder, const std::string& target_path) {
  const char* what_failed = "Could not make room for the user's systems beside";
  HANDLE raw = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && raw == INVALID_HANDLE_VALUE; ++attempt) {
    const std::string path = JoinPath(folder, "~bt" + RandomNamePart(6) + ".tmp");
    raw = CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (raw == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) ThrowLastError(what_failed, target_path);
  }
  if (raw == INVALID_HANDLE_VALUE) throw IoError(what_failed, target_path, "File exists");
  OwnedHandle handle(raw);
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(raw), _O_RDWR | _O_BINARY);
  if (descriptor < 0) throw IoError(what_failed, target_path, "Too many open files");
  handle.release();
  FileHandle file(_fdopen(descriptor, "w+b"));
  if (!file) {
    _close(descriptor);
    throw IoError(what_failed, target_path, "Too many open files");
  }
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return file;
}

// Devices and pipes are refused by every open here; a link is followed.
FileHandle OpenOrdinaryFile(const std::string& path, const char* what_failed, bool /*follow_link*/) {
  return OpenFile(path, OpenMode::kRead, what_failed);
}

namespace {

std::optional<FileState> StateOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION information{};
  FILE_BASIC_INFO times{};
  if (!GetFileInformationByHandle(handle, &information) ||
      !GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times)) {
    return std::nullopt;
  }
  auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
  return FileState{information.dwVolumeSerialNumber, join(information.nFileIndexHigh, information.nFileIndexLow),
                   join(information.nFileSizeHigh, information.nFileSizeLow), times.LastWriteTime.QuadPart,
                   times.ChangeTime.QuadPart};
}

}  // namespace

std::optional<FileState> StateOfOpenFile(std::FILE* file) {
  return StateOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
}

// Opened for its attributes only, shared with everyone: a link is not
// followed, and a folder opens too (it is not the file checked, so its state
// differs).
std::optional<FileState> StateOfEntry(const std::string& path) {
  HANDLE raw = CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
  OwnedHandle handle(raw);
  return StateOfHandle(raw);
}

bool FlushToDisk(std::FILE* file) {
  return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

bool SeekFile(std::FILE* file, std::uint64_t offset) {
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

}  // namespace brantel
