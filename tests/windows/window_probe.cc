// Tells what the main window shows, for the window test under Wine, where
// xdotool sees only top-level windows: a line "File1: NAME" for each item of
// the file list, then "enabled:" and every control shown that takes input (a
// button by its caption, others by their class).
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  HWND form = FindWindowA("brantelForm1", nullptr);
  if (form == nullptr) return 1;
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
