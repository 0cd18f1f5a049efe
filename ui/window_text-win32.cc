#include "ui/window_text-win32.h"

#include <cstring>
#include <vector>

#include "engine/io/io_error.h"
#include "engine/io/wide_path.h"

namespace brantel {
namespace {

// Quotes are never part of a path (Convert drops them too): a path pasted
// with them is looked up without.
std::wstring WithoutQuotes(std::wstring text) {
  std::erase(text, L'"');
  return text;
}

std::wstring CtrlrFolder(std::wstring mame_path) {
  if (!mame_path.empty() && mame_path.back() != L'\\' && mame_path.back() != L'/') mame_path += L'\\';
  return mame_path + L"ctrlr\\";
}

}  // namespace

std::wstring BoxText(HWND box) {
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  const int length = GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), static_cast<size_t>(length < 0 ? 0 : length));
}

void SetBoxText(HWND box, const std::wstring& text) { SetWindowTextW(box, text.c_str()); }

std::string EngineText(const std::wstring& text) {
  std::string ansi;
  if (ToAnsi(text, ansi)) return ansi;
  try {
    return AnsiPath(WithoutQuotes(text));
  } catch (const IoError&) {
    return BestFitAnsi(text);
  }
}

std::string EngineFolderName(const std::wstring& mame_path, const std::wstring& name) {
  std::string ansi;
  if (ToAnsi(name, ansi)) return ansi;
  const std::wstring ctrlr = CtrlrFolder(WithoutQuotes(mame_path));
  const std::string full = EngineText(ctrlr + WithoutQuotes(name)), base = EngineText(ctrlr);
  if (full.size() > base.size() && full.compare(0, base.size(), base) == 0) return full.substr(base.size());
  return BestFitAnsi(name);
}

std::wstring LongPath(const std::wstring& path) {
  if (path.find(L'~') == std::wstring::npos) return path;
  DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return path;
  std::wstring long_path(needed, L'\0');
  DWORD length = GetLongPathNameW(path.c_str(), long_path.data(), needed);
  if (length == 0 || length >= needed) return path;
  long_path.resize(length);
  return long_path;
}

std::wstring LongFolderName(const std::wstring& mame_path, const std::wstring& name) {
  if (name.find(L'~') == std::wstring::npos) return name;
  const std::wstring ctrlr = LongPath(CtrlrFolder(LongPath(mame_path)));
  const std::wstring full = LongPath(ctrlr + name);
  if (full.size() > ctrlr.size() && full.compare(0, ctrlr.size(), ctrlr) == 0) return full.substr(ctrlr.size());
  return name;
}

bool SelectAllOnCtrlA(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != 'A' || GetKeyState(VK_CONTROL) >= 0) return false;
  wchar_t kind[16] = {};
  GetClassNameW(message.hwnd, kind, 16);
  if (lstrcmpiW(kind, L"Edit") != 0) return false;
  SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
  return true;
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* place = GlobalLock(memory)) {
      std::memcpy(place, text.c_str(), bytes);
      GlobalUnlock(memory);
      if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

std::wstring WithCrLf(const std::wstring& lines) {
  std::wstring text;
  for (wchar_t c : lines) {
    if (c == L'\n') text += L'\r';
    if (c != L'\r') text += c;
  }
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  return text;
}

void RegisterDialogClass(const wchar_t* name, WNDPROC procedure) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW dialog_class{};
  if (GetClassInfoW(instance, name, &dialog_class)) return;
  dialog_class.lpfnWndProc = procedure;
  dialog_class.hInstance = instance;
  dialog_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  dialog_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  dialog_class.lpszClassName = name;
  RegisterClassW(&dialog_class);
}

}  // namespace brantel
