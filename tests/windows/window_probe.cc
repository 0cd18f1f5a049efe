// Tells what the main window shows, for the window tests under Wine, where
// xdotool sees only top-level windows: the items of its file list, one line
// "File1: NAME", and one line "enabled: ..." naming every control that is
// shown and takes input (a button by its caption, others by their class).
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string ClassOf(HWND control) {
  char name[64] = {};
  GetClassNameA(control, name, sizeof name);
  return name;
}

std::string TextOf(HWND control) {
  std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  return text.data();
}

// Asked in UTF-16, which every list box answers across processes alike.
void PrintListItems(HWND list) {
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    std::vector<wchar_t> item(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item.data()));
    std::printf("File1: %ls\n", item.data());
  }
}

}  // namespace

int main() {
  HWND form = FindWindowA("brantelForm1", nullptr);
  if (form == nullptr) return 1;
  std::string enabled;
  for (HWND control = GetWindow(form, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    const std::string kind = ClassOf(control);
    if (_stricmp(kind.c_str(), "ListBox") == 0) PrintListItems(control);
    if (_stricmp(kind.c_str(), "Static") == 0 || !IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
    enabled += " " + (_stricmp(kind.c_str(), "Button") == 0 ? TextOf(control) : kind);
  }
  std::printf("enabled:%s\n", enabled.c_str());
  return 0;
}
