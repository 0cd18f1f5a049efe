#include "ui/notes_dialog-win32.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/io/wide_path.h"
#include "ui/accessible_name-win32.h"
#include "ui/choosers-win32.h"
#include "ui/notes_file.h"
#include "ui/window_text-win32.h"

namespace brantel {
namespace {

constexpr const wchar_t* kClassName = L"brantelNotes";
constexpr int kWidth = 560, kHeight = 360;  // client area at 96 DPI, at first
constexpr int kMinWidth = 300, kMinHeight = 200;
constexpr int kMargin = 12, kIconSize = 32, kButtonWidth = 88, kButtonHeight = 26;
enum ChildId : int { kIcon = 201, kHeading, kNotes, kCopy, kSave };
// What the box of notes is given: an edit box wraps a long line in a time
// that grows with its square (Wine's took 16 s for 200,000 characters and
// never ended for a million), so each line and the whole are cut short
// there. Copy without a selection and Save still take every note whole.
constexpr size_t kShownLineLength = 2000;
constexpr size_t kShownLength = 200000;

struct DialogState {
  std::wstring all_notes;  // as Ctrl+C copies them
  std::wstring file_name;  // offered by Save...
  bool done = false;
  int dpi = 96;
  int heading_height = 0;  // at the dialog's DPI
  HWND icon = nullptr;
  HWND heading = nullptr;
  HWND notes = nullptr;
  HWND ok = nullptr;
  HWND copy = nullptr;  // "Copy" and "Save...", left of OK
  HWND save = nullptr;
};

// The children follow the dialog's size: the notes take what is left.
void LayOut(HWND dialog, const DialogState& state) {
  RECT client{};
  GetClientRect(dialog, &client);
  auto scale = [&state](int value) { return MulDiv(value, state.dpi, 96); };
  const int margin = scale(kMargin), icon = scale(kIconSize);
  const int heading_left = margin * 2 + icon;
  const int heading_height = std::max(icon, state.heading_height);
  const int button_top = client.bottom - margin - scale(kButtonHeight);
  MoveWindow(state.icon, margin, margin, icon, icon, TRUE);
  MoveWindow(state.heading, heading_left, margin, std::max(0, static_cast<int>(client.right) - heading_left - margin),
             heading_height, TRUE);
  const int notes_top = margin * 2 + heading_height;
  MoveWindow(state.notes, margin, notes_top, std::max(0, static_cast<int>(client.right) - 2 * margin),
             std::max(0, button_top - margin - notes_top), TRUE);
  MoveWindow(state.ok, client.right - margin - scale(kButtonWidth), button_top, scale(kButtonWidth),
             scale(kButtonHeight), TRUE);
  MoveWindow(state.copy, margin, button_top, scale(kButtonWidth), scale(kButtonHeight), TRUE);
  MoveWindow(state.save, margin * 2 + scale(kButtonWidth), button_top, scale(kButtonWidth), scale(kButtonHeight),
             TRUE);
}

void CopySelectionOrAll(HWND dialog, const DialogState& state);
void SaveAll(HWND dialog, const DialogState& state);

LRESULT CALLBACK NotesProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        if (state != nullptr) state->done = true;
        return 0;
      }
      if (state != nullptr && HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kCopy) CopySelectionOrAll(dialog, *state);
      if (state != nullptr && HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kSave) SaveAll(dialog, *state);
      break;
    case WM_CLOSE:
      if (state != nullptr) state->done = true;
      return 0;
    case WM_SIZE:
      if (state != nullptr && state->ok != nullptr) LayOut(dialog, *state);
      return 0;
    case WM_GETMINMAXINFO:
      if (state != nullptr) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
        limits->ptMinTrackSize = {MulDiv(kMinWidth, state->dpi, 96), MulDiv(kMinHeight, state->dpi, 96)};
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(dialog, message, wparam, lparam);
}

// The notes as the box shows them: a line beyond kShownLineLength cut, and
// the notes beyond kShownLength counted; each cut says so.
std::wstring ShownNotes(const std::wstring& notes) {
  std::wstring shown;
  size_t lines_left = 0;
  for (size_t start = 0; start < notes.size();) {
    size_t end = notes.find(L'\n', start);
    if (end == std::wstring::npos) end = notes.size();
    const std::wstring_view line(notes.data() + start, end - start);
    if (shown.size() >= kShownLength) {
      ++lines_left;
    } else if (line.size() > kShownLineLength) {
      shown.append(line.substr(0, kShownLineLength));
      shown += L"... (" + std::to_wstring(line.size() - kShownLineLength) +
               L" more characters: Copy with nothing selected, or Save, takes every note whole)";
    } else {
      shown.append(line);
    }
    if (lines_left == 0) shown += L'\n';
    start = end + 1;
  }
  if (lines_left > 0) {
    shown += L"... and " + std::to_wstring(lines_left) +
             L" more notes: Copy with nothing selected, or Save, takes every note whole";
  }
  return WithCrLf(shown);
}

HWND AddChild(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, DWORD extended_style, int id,
              HFONT font) {
  HWND child = CreateWindowExW(extended_style, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (child == nullptr) {
    throw std::runtime_error("Windows could not make its " + BestFitAnsi(kind) + " box: " +
                             WindowsReason(GetLastError(), ""));
  }
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// The height of `text` wrapped at `width` in `font`.
int WrappedHeight(HWND window, HFONT font, const std::wstring& text, int width) {
  HDC context = GetDC(window);
  HGDIOBJ before = SelectObject(context, font);
  RECT extent{0, 0, width, 0};
  DrawTextW(context, text.c_str(), -1, &extent, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(context, before);
  ReleaseDC(window, context);
  return extent.bottom - extent.top;
}

// Every note whole, also where the box shows it cut.
const std::wstring& AllNotes(const DialogState& state) { return state.all_notes; }

// The notes box copies its selection itself; without one, all the notes are
// copied.
void CopySelectionOrAll(HWND dialog, const DialogState& state) {
  DWORD start = 0, end = 0;
  SendMessageW(state.notes, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start != end) {
    SendMessageW(state.notes, WM_COPY, 0, 0);
  } else {
    PutOnClipboard(dialog, AllNotes(state));
  }
}

// In UTF-8, so that a name beyond the code page is kept.
void SaveAll(HWND dialog, const DialogState& state) {
  const std::optional<std::wstring> path = ChooseTextFileToSave(dialog, L"Save the notes", state.file_name);
  if (!path) return;
  const std::wstring notes = AllNotes(state);
  std::string bytes(static_cast<size_t>(4 * notes.size() + 1), '\0');
  bytes.resize(static_cast<size_t>(std::max(0, WideCharToMultiByte(CP_UTF8, 0, notes.c_str(), static_cast<int>(notes.size()),
                                                                   bytes.data(), static_cast<int>(bytes.size()),
                                                                   nullptr, nullptr))));
  try {
    SaveNotesFile(EngineText(*path), bytes);
  } catch (const std::exception& error) {
    wchar_t title[256] = {};
    GetWindowTextW(dialog, title, 256);
    MessageBoxW(dialog, WideText(error.what()).c_str(), title, MB_OK | MB_ICONSTOP);
  }
}

// Ctrl+C anywhere in the dialog.
bool CopiedOnCtrlC(const MSG& message, HWND dialog, const DialogState& state) {
  if (message.message != WM_KEYDOWN || message.wParam != 'C' || GetKeyState(VK_CONTROL) >= 0) return false;
  if (message.hwnd != dialog && !IsChild(dialog, message.hwnd)) return false;
  CopySelectionOrAll(dialog, state);
  return true;
}

}  // namespace

void ShowNotesDialog(HWND owner, HFONT font, int dpi, const std::wstring& title, const std::wstring& heading,
                     const std::wstring& notes, bool warning, const std::wstring& folder_name) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterDialogClass(kClassName, NotesProcedure);
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  RECT frame{0, 0, MulDiv(kWidth, dpi, 96), MulDiv(kHeight, dpi, 96)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
  RECT owner_place{};
  GetWindowRect(owner, &owner_place);
  DialogState state;
  state.dpi = dpi;
  state.all_notes = WithCrLf(notes);
  // The old folder's own name: "cabs\hotrod\" names hotrod inside cabs.
  std::wstring folder = folder_name.substr(0, folder_name.find_last_not_of(L"\\/") + 1);
  folder.erase(0, folder.find_last_of(L"\\/") + 1);
  state.file_name = (folder.empty() ? L"" : folder + L" ") + L"conversion notes.txt";
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, title.c_str(), kStyle, owner_place.left + 20,
                                owner_place.top + 20, frame.right - frame.left, frame.bottom - frame.top, owner,
                                nullptr, instance, nullptr);
  if (dialog == nullptr) {
    MessageBoxW(owner, heading.c_str(), title.c_str(), MB_OK | (warning ? MB_ICONWARNING : MB_ICONINFORMATION));
    return;
  }
  try {
    state.icon = AddChild(dialog, L"STATIC", L"", SS_ICON, 0, kIcon, font);
    SendMessageW(state.icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIcon(nullptr, warning ? IDI_WARNING : IDI_INFORMATION)), 0);
    state.heading = AddChild(dialog, L"STATIC", heading, SS_LEFT | SS_NOPREFIX, 0, kHeading, font);
    state.heading_height =
        WrappedHeight(dialog, font, heading, MulDiv(kWidth - 3 * kMargin - kIconSize, dpi, 96));
    // No horizontal scrolling: the lines wrap at the box's width.
    state.notes = AddChild(dialog, L"EDIT", ShownNotes(notes),
                           ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                           kNotes, font);
    SetAccessibleName(state.notes, L"Conversion notes");
    state.ok = AddChild(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK, font);
    state.copy = AddChild(dialog, L"BUTTON", L"&Copy", BS_PUSHBUTTON | WS_TABSTOP, 0, kCopy, font);
    state.save = AddChild(dialog, L"BUTTON", L"&Save...", BS_PUSHBUTTON | WS_TABSTOP, 0, kSave, font);
  } catch (const std::runtime_error& failure) {
    DestroyWindow(dialog);
    const std::wstring told = heading + L"\n\nThe notes cannot be shown: " + WideText(failure.what());
    MessageBoxW(owner, told.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
    return;
  }
  SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  LayOut(dialog, state);
  EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetFocus(state.ok);
  MSG message{};
  while (!state.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Enter and Escape close it from the notes too, which would take them.
    // Enter on Copy or Save... presses it.
    const bool on_button = message.hwnd == state.copy || message.hwnd == state.save;
    const bool closing_key = message.message == WM_KEYDOWN &&
                             ((message.wParam == VK_RETURN && !on_button) || message.wParam == VK_ESCAPE);
    if (closing_key && (message.hwnd == dialog || IsChild(dialog, message.hwnd))) break;
    if (CopiedOnCtrlC(message, dialog, state) || SelectAllOnCtrlA(message) || IsDialogMessageW(dialog, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));  // the session ends meanwhile
  EnableWindow(owner, TRUE);
  SetWindowLongPtrW(dialog, GWLP_USERDATA, 0);
  DestroyWindow(dialog);
  SetActiveWindow(owner);
}

}  // namespace brantel
