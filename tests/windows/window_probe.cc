// Tells what the main window shows, for the window test under Wine, where
// xdotool sees only top-level windows: a line "File1: NAME" for each item of
// the file list, then "enabled:" and every control shown that takes input (a
// button by its caption, others by their class). With "text1" it tells only
// the folder name box's text, in UTF-8.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdio>
#include <string>

// The first text box in the tab order is Text1.
int PrintText1(HWND form) {
  HWND text1 = FindWindowExA(form, nullptr, "Edit", nullptr);
  if (text1 == nullptr) return 1;
  wchar_t text[MAX_PATH] = {};
  // GetWindowText would not ask a control of another process.
  SendMessageW(text1, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
  char utf8[4 * MAX_PATH] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("%s\n", utf8);
  return 0;
}

int main(int argc, char** argv) {
  HWND form = FindWindowA("brantelForm1", nullptr);
  if (form == nullptr) return 1;
  if (argc == 2 && std::string(argv[1]) == "text1") return PrintText1(form);
  std::string enabled;
  for (HWND control = GetWindow(form, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    char kind[64] = {};
    char text[256] = {};
    GetClassNameA(control, kind, sizeof kind);
    // Asked in UTF-16, which a list box answers across processes alike.
    const LRESULT items = _stricmp(kind, "ListBox") == 0 ? SendMessageW(control, LB_GETCOUNT, 0, 0) : 0;
    for (LRESULT index = 0; index < items; ++index) {
      wchar_t item[MAX_PATH] = {};
      SendMessageW(control, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item));
      std::printf("File1: %ls\n", item);
    }
    if (_stricmp(kind, "Static") == 0 || !IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
    GetWindowTextA(control, text, sizeof text);
    enabled += std::string(" ") + (_stricmp(kind, "Button") == 0 ? text : kind);
  }
  std::printf("enabled:%s\n", enabled.c_str());
}
