#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/user_folders.h"
#include "engine/io/wide_path.h"

namespace brantel {
namespace {

// The folder an environment variable names, in the engine's form: a user
// name beyond the code page (C:\Users\Łukasz) comes through its short name.
std::string FolderOf(const wchar_t* variable, const char* spelt) {
  std::wstring value(MAX_PATH, L'\0');
  DWORD length = GetEnvironmentVariableW(variable, value.data(), static_cast<DWORD>(value.size()));
  if (length > value.size()) {
    value.resize(length);
    length = GetEnvironmentVariableW(variable, value.data(), static_cast<DWORD>(value.size()));
  }
  if (length == 0 || length > value.size()) {
    throw IoError("Could not find the user's folder", spelt, "the variable is not set");
  }
  value.resize(length);
  return AnsiPath(value);
}

}  // namespace

std::string UserSettingsFolder() { return FolderOf(L"APPDATA", "%APPDATA%"); }
std::string UserCacheFolder() { return FolderOf(L"LOCALAPPDATA", "%LOCALAPPDATA%"); }

void MakeFolderIfMissing(const std::string& folder) {
  if (CreateDirectoryW(WidePath(folder).c_str(), nullptr)) return;
  const DWORD code = GetLastError();
  if (code == ERROR_ALREADY_EXISTS && FolderExists(folder)) return;
  throw IoError("Could not make the folder", folder, WindowsReason(code, folder));
}

}  // namespace brantel
