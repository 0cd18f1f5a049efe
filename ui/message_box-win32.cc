#include "ui/message_box-win32.h"

#include <commctrl.h>

#include <algorithm>

#include "engine/io/wide_path.h"
#include "engine/window.h"
#include "ui/accessible_name-win32.h"
#include "ui/dpi-win32.h"
#include "ui/window_text-win32.h"

namespace brantel {
namespace {

constexpr const wchar_t* kClassName = L"brantelMessage";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
// At 96 DPI.
constexpr int kMargin = 12, kIconSize = 32, kButtonWidth = 88, kButtonHeight = 26, kButtonPadding = 24;
constexpr int kTitleRoom = 60;  // beside the title: the close button and the frame's ends
enum ChildId : int { kIcon = 301, kText, kCopy, kUseInMame };

struct WindowsRefused {};  // a child window Windows would not make

struct BoxState {
  std::wstring text;  // CR LF, as Copy puts it on the clipboard
  std::wstring title;
  BoxIcon icon_kind = BoxIcon::kNone;
  int dpi = 96;
  HFONT font = nullptr;  // ours: made for `dpi`
  HICON icon_image = nullptr;
  HWND icon = nullptr;
  HWND text_box = nullptr;
  HWND copy = nullptr;
  HWND use_in_mame = nullptr;  // only when offered
  HWND ok = nullptr;
  bool done = false;
  bool use_in_mame_pressed = false;
};

// The extent of `text` in `font`, its lines as they are (none broken).
SIZE TextExtent(HWND window, HFONT font, const std::wstring& text) {
  HDC context = GetDC(window);
  HGDIOBJ before = SelectObject(context, font);
  RECT extent{0, 0, 0, 0};
  DrawTextW(context, text.empty() ? L" " : text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(context, before);
  ReleaseDC(window, context);
  return {extent.right - extent.left, extent.bottom - extent.top};
}

// The title in the caption's font at `dpi`.
int TitleWidth(HWND window, const std::wstring& title, int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
  metrics.lfCaptionFont.lfHeight = MulDiv(metrics.lfCaptionFont.lfHeight, dpi, SystemDpi());
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  const int width = font != nullptr ? static_cast<int>(TextExtent(window, font, title).cx) : 0;
  if (font != nullptr) DeleteObject(font);
  return width;
}

SIZE ButtonSize(HWND dialog, const BoxState& state, HWND button) {
  const SIZE text = TextExtent(dialog, state.font, BoxText(button));
  return {std::max(AtDpi(kButtonWidth, state.dpi), static_cast<int>(text.cx) + AtDpi(kButtonPadding, state.dpi)),
          std::max(AtDpi(kButtonHeight, state.dpi), static_cast<int>(text.cy) + AtDpi(10, state.dpi))};
}

int TextLeft(const BoxState& state) {
  return AtDpi(kMargin, state.dpi) + (state.icon != nullptr ? AtDpi(kIconSize + kMargin, state.dpi) : 0);
}

// The children in the client area: the text beside the icon, Copy at the
// left under it, "Use it in MAME" and OK at the right.
void LayOut(HWND dialog, const BoxState& state) {
  RECT client{};
  GetClientRect(dialog, &client);
  const int margin = AtDpi(kMargin, state.dpi);
  const SIZE ok = ButtonSize(dialog, state, state.ok);
  const int button_top = client.bottom - margin - ok.cy;
  if (state.icon != nullptr) MoveWindow(state.icon, margin, margin, AtDpi(kIconSize, state.dpi), AtDpi(kIconSize, state.dpi), TRUE);
  const int text_left = TextLeft(state);
  MoveWindow(state.text_box, text_left, margin, std::max(0, static_cast<int>(client.right) - text_left - margin),
             std::max(0, button_top - 2 * margin), TRUE);
  int right = client.right - margin;
  MoveWindow(state.ok, right - ok.cx, button_top, ok.cx, ok.cy, TRUE);
  right -= ok.cx + AtDpi(6, state.dpi);
  if (state.use_in_mame != nullptr) {
    const SIZE use = ButtonSize(dialog, state, state.use_in_mame);
    MoveWindow(state.use_in_mame, right - use.cx, button_top, use.cx, use.cy, TRUE);
  }
  const SIZE copy = ButtonSize(dialog, state, state.copy);
  MoveWindow(state.copy, margin, button_top, copy.cx, copy.cy, TRUE);
}

// The client area the text, the buttons and the title need, within the
// monitor's free area; `scrolls` tells where the text is cut by it.
SIZE NeededClientSize(HWND dialog, const BoxState& state, HWND owner, SIZE& scrolls) {
  const int margin = AtDpi(kMargin, state.dpi);
  // The edit box's own margins and caret beside the text.
  const SIZE text = TextExtent(dialog, state.font, state.text);
  const int text_width = text.cx + AtDpi(8, state.dpi), text_height = text.cy + AtDpi(4, state.dpi);
  int buttons = 2 * margin + ButtonSize(dialog, state, state.copy).cx + margin + ButtonSize(dialog, state, state.ok).cx;
  if (state.use_in_mame != nullptr) buttons += ButtonSize(dialog, state, state.use_in_mame).cx + AtDpi(6, state.dpi);
  const int button_height = ButtonSize(dialog, state, state.ok).cy;
  SIZE size{std::max({TextLeft(state) + text_width + margin, buttons,
                      TitleWidth(dialog, state.title, state.dpi) + AtDpi(kTitleRoom, state.dpi)}),
            margin + std::max(text_height, state.icon != nullptr ? AtDpi(kIconSize, state.dpi) : 0) + 2 * margin +
                button_height};
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  scrolls = {0, 0};
  if (GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const LONG widest = monitor.rcWork.right - monitor.rcWork.left - (frame.right - frame.left);
    const LONG tallest = monitor.rcWork.bottom - monitor.rcWork.top - (frame.bottom - frame.top);
    if (size.cx > widest) size.cx = widest, scrolls.cx = 1;
    if (size.cy > tallest) size.cy = tallest, scrolls.cy = 1;
  }
  return size;
}

void LoadIconFor(BoxState& state) {
  if (state.icon == nullptr) return;
  // Windows' own icons: IDI_ERROR, IDI_WARNING, IDI_INFORMATION.
  const wchar_t* kind = MAKEINTRESOURCEW(state.icon_kind == BoxIcon::kStop      ? 32513
                                         : state.icon_kind == BoxIcon::kWarning ? 32515
                                                                                : 32516);
  // Drawn for the size (common controls 6, Windows Vista and later; MinGW
  // has no import of it), else Windows' icon of the system's size.
  using LoadScaledFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  static const auto load_scaled = reinterpret_cast<LoadScaledFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown")));
  HICON image = nullptr;
  const int size = AtDpi(kIconSize, state.dpi);
  if (load_scaled == nullptr || FAILED(load_scaled(nullptr, kind, size, size, &image))) image = nullptr;
  SendMessageW(state.icon, STM_SETICON, reinterpret_cast<WPARAM>(image != nullptr ? image : LoadIconW(nullptr, kind)), 0);
  if (state.icon_image != nullptr) DestroyIcon(state.icon_image);
  state.icon_image = image;
}

// The font, the icon and the size for the dialog's DPI; the dialog's top
// left corner at `left`, `top`, or centred on the owner when `centred`.
void FitToText(HWND dialog, BoxState& state, HWND owner, bool centred, POINT at) {
  HFONT font = MessageFont(state.dpi);
  for (HWND child : {state.text_box, state.copy, state.use_in_mame, state.ok}) {
    if (child != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  if (state.font != nullptr) DeleteObject(state.font);
  state.font = font;
  LoadIconFor(state);
  SIZE scrolls{};
  const SIZE client = NeededClientSize(dialog, state, owner, scrolls);
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (centred) {
    RECT around{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetWindowRect(owner != nullptr ? owner : GetDesktopWindow(), &around);
    at = {(around.left + around.right - width) / 2, (around.top + around.bottom - height) / 2};
    if (GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor)) {
      at.x = std::clamp<LONG>(at.x, monitor.rcWork.left, std::max(monitor.rcWork.left, monitor.rcWork.right - width));
      at.y = std::clamp<LONG>(at.y, monitor.rcWork.top, std::max(monitor.rcWork.top, monitor.rcWork.bottom - height));
    }
  }
  SetWindowPos(dialog, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut(dialog, state);
  InvalidateRect(dialog, nullptr, TRUE);
}

// Copy puts the whole text on the clipboard; Ctrl+C the part the mouse
// selected, when there is one.
void CopyText(HWND dialog, const BoxState& state, bool selection_first) {
  DWORD start = 0, end = 0;
  SendMessageW(state.text_box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (selection_first && start != end) {
    SendMessageW(state.text_box, WM_COPY, 0, 0);
  } else {
    PutOnClipboard(dialog, state.text);
  }
}

LRESULT CALLBACK MessageProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
  if (state == nullptr) return DefWindowProcW(dialog, message, wparam, lparam);
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
        case IDCANCEL:
          state->done = true;
          return 0;
        case kUseInMame:
          if (HIWORD(wparam) == BN_CLICKED) state->use_in_mame_pressed = state->done = true;
          return 0;
        case kCopy:
          if (HIWORD(wparam) == BN_CLICKED) CopyText(dialog, *state, false);
          return 0;
        default:
          break;
      }
      break;
    case DM_GETDEFID:  // Enter where no button has the focus
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
      state->done = true;
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      state->dpi = HIWORD(wparam);
      FitToText(dialog, *state, GetWindow(dialog, GW_OWNER), false, {suggested->left, suggested->top});
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(dialog, message, wparam, lparam);
}

HWND AddChild(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, int id) {
  HWND child = CreateWindowExW(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (child == nullptr) throw WindowsRefused{};
  return child;
}

UINT BeepFor(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kStop: return MB_ICONHAND;
    case BoxIcon::kWarning: return MB_ICONEXCLAMATION;
    case BoxIcon::kInformation: return MB_ICONASTERISK;
    case BoxIcon::kNone: break;
  }
  return MB_OK;
}

// Windows' own box, where ours could not be made: the text at least.
bool ShowWindowsMessageBox(HWND owner, const std::wstring& title, const std::wstring& text, BoxIcon icon) {
  const UINT style = icon == BoxIcon::kStop ? MB_ICONSTOP
                     : icon == BoxIcon::kWarning ? MB_ICONWARNING
                     : icon == BoxIcon::kInformation ? MB_ICONINFORMATION : 0;
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | style);
  return false;
}

// Handles the dialog's messages until it is done. Enter and Escape in the
// text close it as on a button; Ctrl+C copies anywhere in it.
void RunModal(HWND dialog, BoxState& state) {
  MSG message{};
  while (!state.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    const bool in_dialog = message.hwnd == dialog || IsChild(dialog, message.hwnd);
    if (in_dialog && message.message == WM_KEYDOWN && message.hwnd == state.text_box &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
      break;
    }
    if (in_dialog && message.message == WM_KEYDOWN && message.wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
      CopyText(dialog, state, true);
      continue;
    }
    if (!SelectAllOnCtrlA(message) && !IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MarkDefaultButton(state.ok, {state.copy, state.use_in_mame, state.ok});
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));  // the session ends meanwhile
}

}  // namespace

void MarkDefaultButton(HWND default_button, std::initializer_list<HWND> push_buttons) {
  HWND focus = GetFocus();
  const bool on_button = focus != nullptr && std::find(push_buttons.begin(), push_buttons.end(), focus) != push_buttons.end();
  for (HWND button : push_buttons) {
    if (button == nullptr) continue;
    const bool is_default = button == (on_button ? focus : default_button);
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    const bool was_default = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (is_default != was_default) {
      SendMessageW(button, BM_SETSTYLE, is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
  }
}

bool ShowMessageDialog(HWND owner, const std::wstring& title, const std::wstring& text, BoxIcon icon,
                       bool offer_use_in_mame) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterDialogClass(kClassName, MessageProcedure);
  BoxState state;
  state.text = WithCrLf(text);
  state.title = title;
  state.icon_kind = icon;
  state.dpi = owner != nullptr ? DpiOf(owner) : SystemDpi();
  HWND dialog = CreateWindowExW(kExtendedStyle, kClassName, title.c_str(), kStyle, 0, 0, 0, 0, owner, nullptr,
                                instance, nullptr);
  if (dialog == nullptr) return ShowWindowsMessageBox(owner, title, text, icon);
  try {
    if (icon != BoxIcon::kNone) state.icon = AddChild(dialog, L"STATIC", L"", SS_ICON, kIcon);
    // Read-only and never wrapped: a line is broken nowhere, and scrolls
    // only where the monitor is narrower. Its text can be selected.
    state.text_box = AddChild(dialog, L"EDIT", state.text, ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                              kText);
    state.copy = AddChild(dialog, L"BUTTON", L"&Copy", BS_PUSHBUTTON | WS_TABSTOP, kCopy);
    if (offer_use_in_mame) {
      state.use_in_mame =
          AddChild(dialog, L"BUTTON", L"&" + WideText(kUseInMameButton), BS_PUSHBUTTON | WS_TABSTOP, kUseInMame);
    }
    state.ok = AddChild(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK);
  } catch (const WindowsRefused&) {
    DestroyWindow(dialog);
    return ShowWindowsMessageBox(owner, title, text, icon);
  }
  SetAccessibleName(state.text_box, title.c_str());
  SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  SIZE scrolls{};
  FitToText(dialog, state, owner, true, {0, 0});
  NeededClientSize(dialog, state, owner, scrolls);
  if (scrolls.cx != 0) ShowScrollBar(state.text_box, SB_HORZ, TRUE);
  if (scrolls.cy != 0) ShowScrollBar(state.text_box, SB_VERT, TRUE);
  MessageBeep(BeepFor(icon));
  if (owner != nullptr) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetFocus(state.ok);
  RunModal(dialog, state);
  if (owner != nullptr) EnableWindow(owner, TRUE);
  SetWindowLongPtrW(dialog, GWLP_USERDATA, 0);
  DestroyWindow(dialog);
  if (state.font != nullptr) DeleteObject(state.font);
  if (state.icon_image != nullptr) DestroyIcon(state.icon_image);
  if (owner != nullptr) SetActiveWindow(owner);
  return state.use_in_mame_pressed;
}

}  // namespace brantel
