#include "ui/form1-win32.h"

#include <algorithm>
#include <stdexcept>

#include "engine/io/wide_path.h"
#include "ui/about-win32.h"
#include "ui/choosers-win32.h"
#include "ui/form_layout.h"
#include "ui/notes_dialog-win32.h"
#include "ui/window_text-win32.h"

namespace brantel {

namespace {

constexpr const wchar_t* kClassName = L"brantelForm1";
constexpr int kTwipsPerPixel = 15;
constexpr int kClientSize = 6735 / kTwipsPerPixel;  // at 96 DPI
constexpr LONG kBoxRightTwips = 6135;     // where the full-width controls end
constexpr LONG kText1ListTwips = 15 * 150;  // Text1's list, open: some ten names
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;  // resizable: the list takes the room

// Control identifiers stay clear of IDOK and IDCANCEL, which the dialog
// keyboard handling sends for Enter and Escape.
enum ControlId : WORD {
  kLabel1 = 101, kText1, kLabel2, kText2, kLabel3, kText3, kChkListGen, kFile1, kCommand1, kCancel,
  kFile1Label, kBrowse2, kBrowse3,
};

// Twips of the 96-DPI design in pixels at `dpi`.
int Scaled(LONG twips, int dpi) { return MulDiv(twips / kTwipsPerPixel, dpi, 96); }

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The monitor's DPI for the window (Windows 10 and later); the system's
// before that.
int DpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const int dpi = get_dpi != nullptr ? static_cast<int>(get_dpi(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

// The frame around a client area at `dpi` (Windows 10 and later know the
// frame at each DPI; before that, the system's).
RECT FrameAround(int width, int height, int dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi = reinterpret_cast<AdjustForDpiFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  RECT frame{0, 0, width, height};
  if (adjust_for_dpi == nullptr || !adjust_for_dpi(&frame, kFrameStyle, FALSE, 0, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&frame, kFrameStyle, FALSE, 0);
  }
  return frame;
}

// The system's message font (Segoe UI 9 pt on current Windows), at `dpi`.
HFONT MessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

Form1Win32::Form1Win32(std::string program_folder)
    : logic_(*this, *this, std::move(program_folder)) {
  File1().SetChangeObserver([this] { ShowFileList(); });
}

Form1Win32::~Form1Win32() {
  File1().SetChangeObserver(nullptr);
  if (form_ != nullptr) DestroyWindow(form_);
  if (font_ != nullptr) DeleteObject(font_);
}

bool Form1Win32::Create(HINSTANCE instance, int show_state) {
  WNDCLASSW window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = &Form1Win32::WindowProcedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // the program's own
  if (window_class.hIcon == nullptr) window_class.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassW(&window_class) == 0) return false;

  form_ = CreateWindowExW(0, kClassName, WideText(kFormCaption).c_str(), kFrameStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, kClientSize, kClientSize, nullptr, nullptr, instance, this);
  if (form_ == nullptr) return false;
  CreateControls(instance);
  AddAboutToSystemMenu(form_);
  DragAcceptFiles(form_, TRUE);
  ApplyDpi(DpiOf(form_));
  focus_ = file1_;
  ShowFileList();
  ShowWindow(form_, show_state);
  UpdateWindow(form_);
  return true;
}

HWND Form1Win32::AddControl(HINSTANCE instance, const wchar_t* kind, const std::wstring& text, DWORD style,
                            DWORD extended_style, int id, RECT twips) {
  HWND control = CreateWindowExW(extended_style, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                 form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (control == nullptr) {  // never a window with a box missing
    throw std::runtime_error("Windows could not create the window's " + BestFitAnsi(kind) + " box: " +
                             WindowsReason(GetLastError(), ""));
  }
  placed_.push_back({control, twips});
  return control;
}

// Each label is made right before its box, so a screen reader finds it
// first and its access key moves the focus to the box. Tab visits the boxes
// and buttons in the order they are made: File1, Text1, Command1, Text2,
// Browse, Text3, Browse, chkListGen (and Cancel, while it is shown); labels
// take no focus.
void Form1Win32::CreateControls(HINSTANCE instance) {
  constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_TABSTOP;
  constexpr DWORD kLabel = SS_LEFTNOWORDWRAP;
  const WindowTexts first = FirstStartTexts();
  // What File1 shows; a long path loses its middle.
  file1_label_ = AddControl(instance, L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS, 0,
                            kFile1Label, {120, 2970, 6135, 3210});
  file1_ = AddControl(instance, L"LISTBOX", L"", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                      kFile1, {120, 3240, 6135, 6015});
  label1_ = AddControl(instance, L"STATIC",
                       L"&Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the mame.ini).",
                       kLabel, 0, kLabel1, {240, 600, 5970, 795});
  // A combo box's height is that of its box and its open list together.
  text1_ = AddControl(instance, L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                      0, kText1, {120, 840, 6135, 840 + kText1ListTwips});
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (GetComboBoxInfo(text1_, &parts)) text1_edit_ = parts.hwndItem;
  SetBoxText(text1_, WideText(first.folder_name));
  command1_ = AddControl(instance, L"BUTTON", L"&Convert", BS_PUSHBUTTON | WS_TABSTOP, 0, kCommand1,
                         {120, 6120, 1335, 6615});
  label2_ = AddControl(instance, L"STATIC", L"&Path to Mame", kLabel, 0, kLabel2, {240, 1200, 1230, 1395});
  text2_ = AddControl(instance, L"EDIT", WideText(first.mame_path), kTextBox, WS_EX_CLIENTEDGE, kText2,
                      {120, 1440, 5010, 1725});
  browse2_ = AddControl(instance, L"BUTTON", L"&Browse...", BS_PUSHBUTTON | WS_TABSTOP, 0, kBrowse2,
                        {5070, 1440, 6135, 1725});
  label3_ = AddControl(instance, L"STATIC", L"Mame &Exe", kLabel, 0, kLabel3, {240, 1800, 990, 1995});
  text3_ = AddControl(instance, L"EDIT", WideText(first.executable), kTextBox, WS_EX_CLIENTEDGE, kText3,
                      {120, 2040, 5010, 2325});
  browse3_ = AddControl(instance, L"BUTTON", L"Bro&wse...", BS_PUSHBUTTON | WS_TABSTOP, 0, kBrowse3,
                        {5070, 2040, 6135, 2325});
  chk_list_gen_ = AddControl(instance, L"BUTTON", WideText(kListGenCaption), BS_3STATE | BS_MULTILINE | WS_TABSTOP, 0, kChkListGen, {120, 2400, 6135, 2895});
  cancel_ = AddControl(instance, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, kCancel,
                       {1440, 6120, 2655, 6615});
  ShowWindow(cancel_, SW_HIDE);
  // No limit of our own on the texts (the default would be 32,767).
  for (HWND box : {text2_, text3_}) SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(text1_, CB_LIMITTEXT, 0, 0);
}

// The label's text in the window's font, its access key's "&" not counted.
SIZE Form1Win32::LabelSize(HWND label) const {
  const std::wstring text = BoxText(label);
  HDC context = GetDC(form_);
  HGDIOBJ before = SelectObject(context, font_);
  RECT extent{0, 0, 0, 0};
  DrawTextW(context, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(context, before);
  ReleaseDC(form_, context);
  return {extent.right - extent.left, extent.bottom - extent.top};
}

// The 96-DPI layout at `dpi`, in the message font. Each label is as wide
// as its text; the first must end above its box (see FitLabels), so no
// caption is cut whatever the font.
void Form1Win32::ApplyDpi(int dpi) {
  dpi_ = dpi;
  HFONT font = MessageFont(dpi);
  for (const Placed& item : placed_) SendMessageW(item.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = font;
  int widest = 0;
  for (HWND label : {label1_, label2_, label3_}) widest = std::max(widest, static_cast<int>(LabelSize(label).cx));
  fit_ = FitLabels(Scaled(240, dpi), Scaled(120, dpi), Scaled(kBoxRightTwips, dpi), widest);
  laid_out_ = {MulDiv(kClientSize, dpi, 96) + fit_.box_growth, MulDiv(kClientSize, dpi, 96)};
  // Never larger than the monitor's free area: the list gives up its height.
  const RECT frame = FrameAround(laid_out_.cx, laid_out_.cy, dpi);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (GetMonitorInfoW(MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST), &monitor)) {
    width = std::min(width, monitor.rcWork.right - monitor.rcWork.left);
    height = std::min(height, monitor.rcWork.bottom - monitor.rcWork.top);
  }
  SetWindowPos(form_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
}

// The layout's places, the boxes and the list grown (or shrunk) by what the
// client area has more than the layout, the buttons after them moved along.
void Form1Win32::PlaceControls() {
  if (font_ == nullptr) return;
  RECT client{};
  GetClientRect(form_, &client);
  const int wider = fit_.box_growth + client.right - laid_out_.cx, taller = client.bottom - laid_out_.cy;
  const int line = static_cast<int>(LabelSize(label1_).cy);
  for (const Placed& item : placed_) {
    const RECT& twips = item.twips;
    int left = Scaled(twips.left, dpi_), top = Scaled(twips.top, dpi_);
    int right = Scaled(twips.right, dpi_), bottom = Scaled(twips.bottom, dpi_);
    const bool label = item.control == label1_ || item.control == label2_ || item.control == label3_;
    if (label) {
      const SIZE text = LabelSize(item.control);
      left = fit_.label_left;
      right = left + text.cx;
      bottom = std::max(bottom, top + static_cast<int>(text.cy));
    } else if (item.control == browse2_ || item.control == browse3_) {
      left += wider;
      right += wider;
    } else if (twips.right == kBoxRightTwips || item.control == text2_ || item.control == text3_) {
      right += wider;  // the boxes fill the window's width
    }
    if (item.control == text2_ || item.control == text3_ || item.control == browse2_ || item.control == browse3_) {
      bottom = std::max(bottom, top + line + MulDiv(4, dpi_, 96));  // a line, the edge
    }
    if (item.control == file1_label_) bottom = std::max(bottom, top + line);
    if (item.control == file1_) bottom += taller;
    if (item.control == command1_ || item.control == cancel_) {
      top += taller;
      bottom += taller;
    }
    MoveWindow(item.control, left, top, right - left, bottom - top, FALSE);
  }
  InvalidateRect(form_, nullptr, TRUE);
}

// No narrower than the layout, nor shorter than it with the list a few
// lines high; both within the monitor's free area.
void Form1Win32::SetMinimumSize(MINMAXINFO& limits) const {
  if (font_ == nullptr) return;
  const int list_room = std::max(0, Scaled(6015 - 3240, dpi_) - 4 * static_cast<int>(LabelSize(label1_).cy));
  const RECT frame = FrameAround(laid_out_.cx, laid_out_.cy - list_room, dpi_);
  limits.ptMinTrackSize.x = std::min<LONG>(frame.right - frame.left, limits.ptMaxTrackSize.x);
  limits.ptMinTrackSize.y = std::min<LONG>(frame.bottom - frame.top, limits.ptMaxTrackSize.y);
}

void Form1Win32::BrowseForMameFolder() {
  if (const auto folder = ChooseFolder(form_, L"Path to Mame", WideText(logic_.MameFolder()))) {
    logic_.FolderPointedAt(EngineText(*folder));
  }
}

void Form1Win32::BrowseForMameProgram() {
  if (const auto program = ChooseProgram(form_, L"Mame Exe", WideText(logic_.MameFolder()))) {
    logic_.ProgramPointedAt(EngineText(*program));
  }
}

int Form1Win32::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Before the key or the click acts on the text.
    if (TouchesText1(message)) logic_.FolderTextsTouched();
    if (SelectAllOnCtrlA(message)) continue;
    // Tab, the access keys and Enter as in a dialog box.
    if (IsDialogMessageW(form_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

bool Form1Win32::TouchesText1(const MSG& message) const {
  if (message.hwnd != text1_ && message.hwnd != text1_edit_) return false;
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

// The folder name lies inside the MAME path's ctrlr folder: a name beyond
// the code page goes by its short name there.
std::string Form1Win32::Text1() const { return EngineFolderName(BoxText(text2_), BoxText(text1_)); }
std::string Form1Win32::Text2() const { return EngineText(BoxText(text2_)); }
std::string Form1Win32::Text3() const { return EngineText(BoxText(text3_)); }

// Short names (the settings file keeps a name beyond the code page so)
// are shown long, as the user typed them.
// A combo box tells of no change its owner makes: the text's change event is
// raised here.
void Form1Win32::SetText1(const std::string& text) {
  SetBoxText(text1_, LongFolderName(BoxText(text2_), WideText(text)));
  logic_.FolderTextsTouched();
}
void Form1Win32::SetText2(const std::string& text) { SetBoxText(text2_, LongPath(WideText(text))); }
void Form1Win32::SetText3(const std::string& text) { SetBoxText(text3_, WideText(text)); }

// The settings load sets the folder name before the MAME path it lies in.
void Form1Win32::ShowLongNames() {
  const std::wstring folder_name = BoxText(text1_);
  const std::wstring long_name = LongFolderName(BoxText(text2_), folder_name);
  if (long_name != folder_name) SetBoxText(text1_, long_name);
}

// The list is made anew only when the folders change: what is typed stays.
void Form1Win32::ShowOldFolderChoices(const std::vector<std::string>& names) {
  std::vector<std::wstring> choices;
  for (const std::string& name : names) choices.push_back(LongFolderName(BoxText(text2_), WideText(name)));
  if (choices == choices_) return;
  choices_ = choices;
  const std::wstring typed = BoxText(text1_);
  DWORD selection_start = 0, selection_end = 0;
  SendMessageW(text1_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&selection_start),
               reinterpret_cast<LPARAM>(&selection_end));
  SendMessageW(text1_, CB_RESETCONTENT, 0, 0);  // which empties its text box too
  for (const std::wstring& choice : choices_) {
    SendMessageW(text1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
  }
  SetBoxText(text1_, typed);
  SendMessageW(text1_, CB_SETEDITSEL, 0, MAKELPARAM(selection_start, selection_end));
}

// The box's own numbers are the window state's: 0, 1 and 2 for unchecked,
// checked and grayed.
int Form1Win32::CheckBoxValue() const {
  return static_cast<int>(SendMessageW(chk_list_gen_, BM_GETCHECK, 0, 0));
}

bool Form1Win32::SetCheckBoxValue(int value) {
  if (value < 0 || value > 2) return false;
  SendMessageW(chk_list_gen_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  return true;
}

// A box answers the user: no busy cursor over it.
template <typename Function>
void Form1Win32::WhileAnswering(Function&& show) {
  logic_.BeforeMessageBox();
  const bool waiting = wait_cursor_;
  wait_cursor_ = false;
  show();
  wait_cursor_ = waiting;
}

void Form1Win32::ShowMessageBox(const std::string& prompt, const std::string& title,
                                MessageStyle style) {
  UINT icon = 0;
  switch (style) {
    case MessageStyle::kCritical: icon = MB_ICONSTOP; break;
    case MessageStyle::kInformation: icon = MB_ICONINFORMATION; break;
    case MessageStyle::kWarning: icon = MB_ICONWARNING; break;
    case MessageStyle::kOkOnly: break;
  }
  const std::wstring text = WrappedLines(WideText(prompt), CharactersAcrossBox());
  WhileAnswering([&] { MessageBoxW(form_, text.c_str(), WideText(title).c_str(), MB_OK | icon); });
}

// Windows makes a message box as wide as its longest line, past the screen's
// edge for a long path: lines are broken at half the monitor's free width.
size_t Form1Win32::CharactersAcrossBox() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST), &monitor)) return 0;
  HDC context = GetDC(form_);
  HGDIOBJ before = SelectObject(context, font_);
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(context, &metrics) && metrics.tmAveCharWidth > 0;
  SelectObject(context, before);
  ReleaseDC(form_, context);
  if (!measured) return 0;
  return static_cast<size_t>((monitor.rcWork.right - monitor.rcWork.left) / 2 / metrics.tmAveCharWidth);
}

void Form1Win32::ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                           const std::string& details, MessageStyle style) {
  WhileAnswering([&] {
    ShowNotesDialog(form_, font_, dpi_, WideText(title), WideText(prompt), WideText(details),
                    style == MessageStyle::kWarning);
  });
}

void Form1Win32::ShowFileList() {
  if (file1_ == nullptr) return;
  SendMessageW(file1_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(file1_, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : File1().Names()) {
    SendMessageW(file1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(name).c_str()));
  }
  SendMessageW(file1_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(file1_, nullptr, TRUE);
}

void Form1Win32::ShowFileListLabel(const std::string& label) {
  SetWindowTextW(file1_label_, WideText(label).c_str());
}

void Form1Win32::SetCaption(const std::string& caption) { SetWindowTextW(form_, WideText(caption).c_str()); }

// The controls disabled under a busy cursor (an arrow still, for Cancel);
// the frame stays enabled for a close request. The focus comes back after.
void Form1Win32::ShowBusy(bool busy) {
  if (busy) focus_before_busy_ = GetFocus();
  wait_cursor_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
  for (HWND control : {text1_, text2_, browse2_, text3_, browse3_, chk_list_gen_, file1_, command1_}) {
    EnableWindow(control, !busy);
  }
  if (!busy && focus_before_busy_ != nullptr && IsChild(form_, focus_before_busy_)) SetFocus(focus_before_busy_);
}

void Form1Win32::ShowCancel(bool shown) {
  ShowWindow(cancel_, shown ? SW_SHOW : SW_HIDE);
  if (shown) SetFocus(cancel_);
}

// Every message goes on, as in a dialog box: the controls are disabled, so
// keys and clicks act only on Cancel (Escape is IDCANCEL) and the frame
// (Alt+F4 and the close button are close requests).
void Form1Win32::KeepAlive() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (form_ != nullptr && IsDialogMessageW(form_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Form1Win32::EndProgram() {
  if (form_ != nullptr) DestroyWindow(form_);
}

LRESULT CALLBACK Form1Win32::WindowProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Form1Win32*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->form_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form1Win32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT Form1Win32::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_SETCURSOR:
      if (wait_cursor_) {
        SetCursor(LoadCursor(nullptr, IDC_APPSTARTING));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (logic_.CloseRequested()) DestroyWindow(form_);
      return 0;
    case WM_SYSCOMMAND:
      if (ShowAboutOn(form_, wparam)) return 0;
      break;
    case WM_ENDSESSION:
      if (wparam) logic_.CloseRequested();  // the session ends: save now
      return 0;
    case WM_NEXTDLGCTL: {
      // The dialog keys (a label's access key, for one) move the focus so;
      // only a dialog's own window procedure would carry it out.
      HWND target = LOWORD(lparam) != 0 ? reinterpret_cast<HWND>(wparam)
                                        : GetNextDlgTabItem(form_, GetFocus(), wparam != 0);
      if (target != nullptr) SetFocus(target);
      if (target == text2_ || target == text3_) SendMessageW(target, EM_SETSEL, 0, -1);
      if (target == text1_) SendMessageW(target, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
      return 0;
    }
    case WM_SIZE:
      PlaceControls();
      return 0;
    case WM_GETMINMAXINFO:
      SetMinimumSize(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_DROPFILES:  // a folder dropped fills the texts, as Browse does
      if (const auto folder = DroppedFolder(reinterpret_cast<HDROP>(wparam))) logic_.FolderPointedAt(EngineText(*folder));
      return 0;
    case WM_DPICHANGED: {  // moved to a monitor of another scale
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(form_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      ApplyDpi(HIWORD(wparam));
      return 0;
    }
    case WM_DESTROY:
      SetWindowLongPtrW(form_, GWLP_USERDATA, 0);
      form_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(form_, message, wparam, lparam);
}

// A name picked from the list: the combo box puts it into its text box only
// after telling, so it is put there now, for File1 to follow.
void Form1Win32::OnText1Picked() {
  const LRESULT picked = SendMessageW(text1_, CB_GETCURSEL, 0, 0);
  if (picked < 0 || static_cast<size_t>(picked) >= choices_.size()) return;
  const LRESULT length = SendMessageW(text1_, CB_GETLBTEXTLEN, static_cast<WPARAM>(picked), 0);
  std::wstring name(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  SendMessageW(text1_, CB_GETLBTEXT, static_cast<WPARAM>(picked), reinterpret_cast<LPARAM>(name.data()));
  name.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
  SetBoxText(text1_, name);
  logic_.FolderNameChosen();
  logic_.FolderTextsTouched();
}

void Form1Win32::OnCommand(WORD id, WORD code) {
  switch (id) {
    case kText1:
      if (code == CBN_EDITCHANGE) {
        logic_.FolderNameChosen();
        logic_.FolderTextsTouched();
      }
      if (code == CBN_DROPDOWN) logic_.Text1ListOpening();
      if (code == CBN_SELCHANGE) OnText1Picked();
      break;
    case kText2:
      if (code == EN_CHANGE) logic_.FolderTextsTouched();
      break;
    case kCancel:
      if (code == BN_CLICKED) logic_.CancelPressed();
      break;
    case IDCANCEL:  // Escape
      logic_.CancelPressed();
      break;
    case kChkListGen:
      // A click checks an unchecked or grayed box and clears a checked one:
      // grayed is a value only the settings file sets.
      if (code == BN_CLICKED) SetCheckBoxValue(CheckBoxValue() == BST_CHECKED ? 0 : 1);
      break;
    case kCommand1:
      if (code == BN_CLICKED) logic_.Command1Pressed();
      break;
    case kBrowse2:
      if (code == BN_CLICKED) BrowseForMameFolder();
      break;
    case kBrowse3:
      if (code == BN_CLICKED) BrowseForMameProgram();
      break;
    case IDOK:
      // Enter: it presses the button that has the focus, and nothing else
      // (there is no default button).
      if (GetFocus() == command1_) logic_.Command1Pressed();
      if (GetFocus() == cancel_) logic_.CancelPressed();
      if (GetFocus() == browse2_) BrowseForMameFolder();
      if (GetFocus() == browse3_) BrowseForMameProgram();
      break;
    default:
      break;
  }
}

// The settings are read when the window first becomes active. The focus
// goes back to the control that had it when the window was left.
void Form1Win32::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(form_, focus)) focus_ = focus;
    return;
  }
  logic_.Activated();
  ShowLongNames();
  if (focus_ != nullptr) SetFocus(focus_);
}

}  // namespace brantel
