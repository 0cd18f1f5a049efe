#include "ui/about-win32.h"

#include "engine/io/wide_path.h"
#include "ui/about_text.h"

namespace brantel {

namespace {

// Below 0xF000, where the system's own commands are, and a multiple of 16:
// Windows uses the low four bits of a system command itself.
constexpr UINT kAboutCommand = 0x0110;

}  // namespace

void AddAboutToSystemMenu(HWND form) {
  HMENU menu = GetSystemMenu(form, FALSE);
  if (menu == nullptr) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About brantel Manager...");
}

bool ShowAboutOn(HWND form, WPARAM system_command) {
  if ((system_command & 0xFFF0) != kAboutCommand) return false;
  MessageBoxW(form, WideText(kAboutText).c_str(), WideText(kAboutCaption).c_str(), MB_OK | MB_ICONINFORMATION);
  return true;
}

}  // namespace brantel
