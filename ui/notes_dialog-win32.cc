#include "ui/notes_dialog-win32.h"

namespace brantel {
namespace {

constexpr const wchar_t* kClassName = L"brantelNotes";
constexpr int kWidth = 480, kHeight = 330;  // client area at 96 DPI

struct DialogState {
  bool done = false;
};

LRESULT CALLBACK NotesProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        if (state != nullptr) state->done = true;
        return 0;
      }
      break;
    case WM_CLOSE:
      if (state != nullptr) state->done = true;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(dialog, message, wparam, lparam);
}

// One note a line, as a multi-line box wants its lines: CR LF.
std::wstring WithCrLf(const std::wstring& lines) {
  std::wstring text;
  for (wchar_t c : lines) {
    if (c == L'\n') text += L'\r';
    if (c != L'\r') text += c;
  }
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();  // no empty last line
  return text;
}

HWND AddChild(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, DWORD extended_style, int id,
              RECT place, int dpi, HFONT font) {
  auto scale = [dpi](LONG value) { return MulDiv(value, dpi, 96); };
  HWND child = CreateWindowExW(extended_style, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, scale(place.left),
                               scale(place.top), scale(place.right - place.left), scale(place.bottom - place.top),
                               dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

bool SelectAllOnCtrlA(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != 'A' || GetKeyState(VK_CONTROL) >= 0) return false;
  wchar_t kind[16] = {};
  GetClassNameW(message.hwnd, kind, 16);
  if (lstrcmpiW(kind, L"Edit") != 0) return false;
  SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
  return true;
}

void ShowNotesDialog(HWND owner, HFONT font, int dpi, const std::wstring& title, const std::wstring& summary,
                     const std::wstring& notes) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW dialog_class{};
  if (!GetClassInfoW(instance, kClassName, &dialog_class)) {
    dialog_class.lpfnWndProc = NotesProcedure;
    dialog_class.hInstance = instance;
    dialog_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    dialog_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    dialog_class.lpszClassName = kClassName;
    RegisterClassW(&dialog_class);
  }
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, MulDiv(kWidth, dpi, 96), MulDiv(kHeight, dpi, 96)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
  RECT owner_place{};
  GetWindowRect(owner, &owner_place);
  DialogState state;
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, title.c_str(), kStyle, owner_place.left + 20,
                                owner_place.top + 20, frame.right - frame.left, frame.bottom - frame.top, owner,
                                nullptr, instance, nullptr);
  if (dialog == nullptr) {
    MessageBoxW(owner, summary.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  HWND icon = AddChild(dialog, L"STATIC", L"", SS_ICON, 0, 0, {12, 12, 44, 44}, dpi, font);
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_WARNING)), 0);
  const std::wstring first_line = summary.substr(0, summary.find(L'\n'));
  AddChild(dialog, L"STATIC", first_line, SS_LEFT | SS_NOPREFIX, 0, 0, {56, 12, kWidth - 12, 44}, dpi, font);
  AddChild(dialog, L"EDIT", WithCrLf(notes),
           ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
           WS_EX_CLIENTEDGE, 0, {12, 52, kWidth - 12, kHeight - 48}, dpi, font);
  HWND ok = AddChild(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK,
                     {kWidth - 100, kHeight - 38, kWidth - 12, kHeight - 12}, dpi, font);
  EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetFocus(ok);
  MSG message{};
  while (!state.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Enter and Escape close it from the notes too, which would take them.
    const bool closing_key = message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
    if (closing_key && (message.hwnd == dialog || IsChild(dialog, message.hwnd))) break;
    if (SelectAllOnCtrlA(message) || IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));  // the session ends meanwhile
  EnableWindow(owner, TRUE);
  DestroyWindow(dialog);
  SetActiveWindow(owner);
}

}  // namespace brantel
