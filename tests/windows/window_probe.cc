// Tells what the main window shows, for the window test under Wine, where
// xdotool sees only top-level windows: a line "File1: NAME" for each item of
// the file list, then "enabled:" and every control shown that takes input (a
// button by its caption, others by their class). With "text1": "Text1: TEXT"
// and a line "offers: NAME" for each item of its list. With "label": the
// text of the control made right before the file list, its label. With
// "notes": the widths of the notes dialog's client area and of its box of
// notes; with "notes mode": "menu" while its system menu is open, "sizing"
// while it is being sized, otherwise "none". With "clipboard": puts its
// input, UTF-8 text, on the clipboard, for the test to paste what no key of
// the keyboard types; with "clipboard read": writes the clipboard's text, in
// UTF-8, its bytes as they are. With "focus": the control that has the input
// focus and the push button Enter presses there ("Text1 default Command1").
// With "progress": the progress line's text and its bar ("busy", or "N of
// M"), or "none" while it is hidden. With "box": the buttons of the message
// box that is up, by their captions; with "box text": its text, in UTF-8,
// its bytes as they are. With "labels": each box of the main window and the
// text of the label made right before it, which a screen reader names it by.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

// In UTF-8, as the test script types it.
std::string Utf8(const wchar_t* text) {
  std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  if (!bytes.empty()) bytes.pop_back();  // its end
  return bytes;
}

int ShowText1(HWND form) {
  HWND text1 = GetDlgItem(form, 102);
  if (text1 == nullptr) return 1;
  wchar_t text[MAX_PATH] = {};
  // Asked, as GetWindowText does not ask a window of another process.
  SendMessageW(text1, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
  std::printf("Text1: %s\n", Utf8(text).c_str());
  const LRESULT items = SendMessageW(text1, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < items; ++index) {
    wchar_t item[MAX_PATH] = {};
    SendMessageW(text1, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
    std::printf("offers: %s\n", Utf8(item).c_str());
  }
  return 0;
}

int ShowFile1Label(HWND form) {
  HWND label = nullptr;
  for (HWND control = GetWindow(form, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    char kind[64] = {};
    GetClassNameA(control, kind, sizeof kind);
    if (_stricmp(kind, "ListBox") == 0) break;
    label = _stricmp(kind, "Static") == 0 ? control : nullptr;
  }
  if (label == nullptr) return 1;
  wchar_t text[MAX_PATH] = {};
  SendMessageW(label, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
  std::printf("%s\n", Utf8(text).c_str());
  return 0;
}

int ShowNotesWidths() {
  HWND notes = FindWindowA("brantelNotes", nullptr);
  HWND box = notes != nullptr ? GetDlgItem(notes, 203) : nullptr;
  if (box == nullptr) return 1;
  RECT client{}, place{};
  GetClientRect(notes, &client);
  GetWindowRect(box, &place);
  std::printf("%ld %ld\n", client.right, place.right - place.left);
  return 0;
}

int ShowNotesMode() {
  HWND notes = FindWindowA("brantelNotes", nullptr);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (notes == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(notes, nullptr), &info)) return 1;
  std::printf("%s\n", info.flags & GUI_INMOVESIZE ? "sizing" : info.flags & GUI_INMENUMODE ? "menu" : "none");
  return 0;
}

// The main window's controls by their names in the form.
std::string ControlName(HWND control) {
  if (control == nullptr) return "none";
  char kind[64] = {};
  GetClassNameA(GetParent(control), kind, sizeof kind);
  if (_stricmp(kind, "ComboBox") == 0) control = GetParent(control);  // Text1's text box
  switch (GetDlgCtrlID(control)) {
    case 102: return "Text1";
    case 104: return "Text2";
    case 106: return "Text3";
    case 107: return "chkListGen";
    case 108: return "File1";
    case 109: return "Command1";
    case 110: return "Cancel";
    case 112: return "Browse2";
    case 113: return "Browse3";
    default: return "control " + std::to_string(GetDlgCtrlID(control));
  }
}

int ShowFocus(HWND form) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info)) return 1;
  HWND pressed = nullptr;
  for (HWND control = GetWindow(form, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    if ((GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsWindowVisible(control)) {
      char kind[64] = {};
      GetClassNameA(control, kind, sizeof kind);
      if (_stricmp(kind, "Button") == 0) pressed = control;
    }
  }
  std::printf("%s default %s\n", ControlName(info.hwndFocus).c_str(), ControlName(pressed).c_str());
  return 0;
}

int ShowProgress(HWND form) {
  HWND bar = FindWindowExA(form, nullptr, PROGRESS_CLASSA, nullptr);
  HWND line = bar != nullptr ? GetWindow(bar, GW_HWNDPREV) : nullptr;
  if (line == nullptr || !IsWindowVisible(bar)) {
    std::printf("none\n");
    return 0;
  }
  wchar_t text[MAX_PATH] = {};
  SendMessageW(line, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
  if (GetWindowLongA(bar, GWL_STYLE) & PBS_MARQUEE) {
    std::printf("%s | busy\n", Utf8(text).c_str());
  } else {
    std::printf("%s | %ld of %ld\n", Utf8(text).c_str(), static_cast<long>(SendMessageW(bar, PBM_GETPOS, 0, 0)),
                static_cast<long>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0)));
  }
  return 0;
}

// The message box: "buttons:" and each button's caption, or its text.
int ShowBox(bool text_wanted) {
  HWND box = FindWindowA("brantelMessage", nullptr);
  if (box == nullptr) return 1;
  std::string buttons = "buttons:";
  std::wstring text;
  for (HWND control = GetWindow(box, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    char kind[64] = {};
    GetClassNameA(control, kind, sizeof kind);
    std::wstring caption(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, caption.size(), reinterpret_cast<LPARAM>(caption.data()));
    caption.resize(caption.size() - 1);
    if (_stricmp(kind, "Button") == 0) buttons += " " + Utf8(caption.c_str());
    if (_stricmp(kind, "Edit") == 0) text = caption;
  }
  if (!text_wanted) {
    std::printf("%s\n", buttons.c_str());
    return 0;
  }
  const std::string bytes = Utf8(text.c_str());
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return 0;
}

int ShowLabels(HWND form) {
  for (HWND control = GetWindow(form, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    char kind[64] = {}, label[256] = {};
    GetClassNameA(control, kind, sizeof kind);
    if (_stricmp(kind, "Edit") != 0 && _stricmp(kind, "ComboBox") != 0 && _stricmp(kind, "ListBox") != 0) continue;
    HWND before = GetWindow(control, GW_HWNDPREV);
    GetClassNameA(before, kind, sizeof kind);
    if (_stricmp(kind, "Static") == 0) GetWindowTextA(before, label, sizeof label);
    std::printf("%s: %s\n", ControlName(control).c_str(), label);
  }
  return 0;
}

// Its bytes as they are: no CR added before each LF.
int WriteClipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  HANDLE memory = GetClipboardData(CF_UNICODETEXT);
  const auto* text = memory != nullptr ? static_cast<const wchar_t*>(GlobalLock(memory)) : nullptr;
  if (text == nullptr) {
    CloseClipboard();
    return 1;
  }
  const std::string bytes = Utf8(text);
  GlobalUnlock(memory);
  CloseClipboard();
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return 0;
}

int PutOnClipboard() {
  std::string bytes;
  for (int c; (c = std::getchar()) != EOF;) bytes += static_cast<char>(c);
  const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (length + 1) * sizeof(wchar_t));
  auto* text = memory != nullptr ? static_cast<wchar_t*>(GlobalLock(memory)) : nullptr;
  if (text == nullptr) return 1;
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text, length);
  text[length] = L'\0';
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return put ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  HWND form = FindWindowA("brantelForm1", nullptr);
  if (argc > 2 && std::string(argv[2]) == "mode") return ShowNotesMode();
  if (argc > 1 && std::string(argv[1]) == "notes") return ShowNotesWidths();
  if (argc > 2 && std::string(argv[1]) == "clipboard") return WriteClipboard();
  if (argc > 1 && std::string(argv[1]) == "clipboard") return PutOnClipboard();
  if (argc > 1 && std::string(argv[1]) == "box") return ShowBox(argc > 2);
  if (form == nullptr) return 1;
  if (argc > 1 && std::string(argv[1]) == "text1") return ShowText1(form);
  if (argc > 1 && std::string(argv[1]) == "label") return ShowFile1Label(form);
  if (argc > 1 && std::string(argv[1]) == "focus") return ShowFocus(form);
  if (argc > 1 && std::string(argv[1]) == "labels") return ShowLabels(form);
  if (argc > 1 && std::string(argv[1]) == "progress") return ShowProgress(form);
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
    if (_stricmp(kind, "Static") == 0 || _stricmp(kind, PROGRESS_CLASSA) == 0 || !IsWindowVisible(control) ||
        !IsWindowEnabled(control)) {
      continue;
    }
    GetWindowTextA(control, text, sizeof text);
    enabled += std::string(" ") + (_stricmp(kind, "Button") == 0 ? text : kind);
  }
  std::printf("enabled:%s\n", enabled.c_str());
}
