#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "engine/io/io_error.h"
#include "engine/io/wide_path.h"

namespace brantel {
namespace {

// CreateDirectory's limit, the lowest of the classic path limits.
constexpr size_t kClassicPathLimit = MAX_PATH - 12;

// The short name of the last component of `path`, or empty when it has none.
std::wstring ShortLastComponent(const std::wstring& path) {
  DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return L"";
  std::wstring short_path(needed, L'\0');
  DWORD length = GetShortPathNameW(path.c_str(), short_path.data(), needed);
  if (length == 0 || length >= needed) return L"";
  short_path.resize(length);
  return short_path.substr(short_path.find_last_of(L"\\/") + 1);
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::string BestFitAnsi(const std::wstring& text) {
  if (text.empty()) return "";
  int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr,
                      nullptr);
  return ansi;
}

std::wstring WideText(const std::string& text) {
  if (text.empty()) return L"";
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::wstring WidePath(const std::string& path) { return WidePath(WideText(path)); }

std::wstring WidePath(const std::wstring& typed) {
  // "\\.\C:\" and "\\?\C:\" name the drive's own path, taken in the plain form
  // every function takes; only a long path needs "\\?\", given below.
  std::wstring wide = typed;
  for (const wchar_t* device : {L"\\\\.\\", L"\\\\?\\"}) {
    if (wide.rfind(device, 0) == 0 && wide.size() >= 7 && wide[5] == L':' && IsSeparator(wide[6])) wide.erase(0, 4);
  }
  if (wide.size() < kClassicPathLimit || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  // The "\\?\" form takes the path as it stands: it must be full, with "\"
  // separators and no "." or "..".
  DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return wide;
  full.resize(length);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return full;
}

std::wstring ProgramPath(const std::string& path) {
  const std::wstring wide = WidePath(path);
  if (wide.rfind(L"\\\\?\\", 0) != 0 || wide.rfind(L"\\\\?\\UNC\\", 0) == 0) return wide;
  // The process start takes no "\\?\" path (Windows' nor Wine's): a long
  // path goes by its short (8.3) names, when those fit.
  DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (needed == 0) return wide;
  std::wstring short_path(needed, L'\0');
  DWORD length = GetShortPathNameW(wide.c_str(), short_path.data(), needed);
  if (length == 0 || length >= needed) return wide;
  short_path.resize(length);
  if (short_path.rfind(L"\\\\?\\", 0) == 0) short_path.erase(0, 4);
  return short_path.size() < MAX_PATH ? short_path : wide;
}

bool ToAnsi(const std::wstring& text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  // A UTF-8 code page spells everything and takes neither flag.
  const bool utf8 = GetACP() == CP_UTF8;
  BOOL used_default = FALSE;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* used_default_out = utf8 ? nullptr : &used_default;
  int length = WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, used_default_out);
  if (length == 0 || used_default) return false;
  ansi.resize(static_cast<size_t>(length));
  WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), ansi.data(), length,
                      nullptr, used_default_out);
  return !used_default;
}

std::string AnsiPath(const std::wstring& path) {
  std::string ansi;
  if (ToAnsi(path, ansi)) return ansi;
  std::string result;
  for (size_t start = 0; start <= path.size();) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::string piece;
    if (!ToAnsi(path.substr(start, end - start), piece) &&
        (!ToAnsi(ShortLastComponent(path.substr(0, end)), piece) || piece.empty())) {
      throw IoError("Could not spell in the system's code page", BestFitAnsi(path.substr(0, end)),
                    "The name has characters beyond the code page and no short name");
    }
    result += piece;
    if (end < path.size()) result += static_cast<char>(path[end]);
    start = end + 1;
  }
  return result;
}

std::string WindowsReason(unsigned long code, const std::string& file) {
  if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) {
    return "The file is in use by another program";
  }
  char buffer[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                buffer, sizeof buffer, nullptr);
  std::string reason(buffer, length);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ' ||
                             reason.back() == '.')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = "Windows error " + std::to_string(code);
  for (size_t at = 0; (at = reason.find("%1", at)) != std::string::npos; at += file.size()) {
    reason.replace(at, 2, file);
  }
  const bool path_error = code == ERROR_PATH_NOT_FOUND || code == ERROR_FILENAME_EXCED_RANGE ||
                          code == ERROR_INVALID_NAME || code == ERROR_DIRECTORY;
  if (path_error && file.size() >= kClassicPathLimit) {
    reason += " (the path has " + std::to_string(file.size()) + " characters, more than Windows takes here)";
  }
  return reason;
}

void ThrowLastError(const char* what_failed, const std::string& file) {
  DWORD code = GetLastError();
  throw IoError(what_failed, file, WindowsReason(code, file));
}

namespace {

// Why Windows denies access to a file, where that is something the user can
// see to: a folder in its place, read-only, or held by another program.
std::string WhyDenied(const std::string& file) {
  const std::wstring path = WidePath(file);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return "";
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "A folder has this name, where the file belongs";
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return "The file is read-only";
  HANDLE probe = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    return "";
  }
  return GetLastError() == ERROR_SHARING_VIOLATION ? WindowsReason(ERROR_SHARING_VIOLATION, file) : "";
}

}  // namespace

void ThrowFileError(const char* what_failed, const std::string& file) {
  const DWORD code = GetLastError();
  const std::string why = code == ERROR_ACCESS_DENIED ? WhyDenied(file) : "";
  throw IoError(what_failed, file, why.empty() ? WindowsReason(code, file) : why);
}

}  // namespace brantel
