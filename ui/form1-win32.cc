#include "ui/form1-win32.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "engine/io/wide_path.h"
#include "ui/about-win32.h"
#include "ui/accessible_name-win32.h"
#include "ui/choosers-win32.h"
#include "ui/dpi-win32.h"
#include "ui/form_layout.h"
#include "ui/message_box-win32.h"
#include "ui/notes_dialog-win32.h"
#include "ui/window_text-win32.h"

namespace brantel {

namespace {

constexpr const wchar_t* kClassName = L"brantelForm1";
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 6735 / kTwipsPerPixel;  // at 96 DPI
constexpr int kClientHeight = 6255 / kTwipsPerPixel;
constexpr LONG kBoxRightTwips = 6135;     // where the full-width controls end
constexpr LONG kText1ListTwips = 15 * 150;  // Text1's list, open: some ten names
constexpr LONG kFile1BottomTwips = 5535;    // the progress line takes the list's foot while shown
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;  // resizable: the list takes the room

// Control identifiers stay clear of IDOK and IDCANCEL, which the dialog
// keyboard handling sends for Enter and Escape.
enum ControlId : WORD {
  kLabel1 = 101, kText1, kLabel2, kText2, kLabel3, kText3, kChkListGen, kFile1, kCommand1, kCancel,
  kFile1Label, kBrowse2, kBrowse3, kProgressText, kProgressBar,
};

// Twips of the 96-DPI design in pixels at `dpi`.
int Scaled(LONG twips, int dpi) { return MulDiv(twips / kTwipsPerPixel, dpi, 96); }

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

  INITCOMMONCONTROLSEX common_controls{sizeof common_controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&common_controls);
  form_ = CreateWindowExW(0, kClassName, WideText(kFormCaption).c_str(), kFrameStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, kClientWidth, kClientHeight, nullptr, nullptr, instance, this);
  if (form_ == nullptr) return false;
  CreateControls(instance);
  AddAboutToSystemMenu(form_);
  DragAcceptFiles(form_, TRUE);
  ApplyDpi(DpiOf(form_));
  focus_ = text1_;  // the first box
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

// Each label is made right before its box, so a screen reader names the
// box by it and its access key moves the focus to the box. Tab visits the
// boxes and buttons in the order they are made, which is the order they are
// seen in: Text1, Text2, its Browse, Text3, its Browse, chkListGen, File1,
// Command1 (and Cancel, while it is shown); labels take no focus. The two
// Browse buttons show the same text and are told apart by their names.
void Form1Win32::CreateControls(HINSTANCE instance) {
  constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_TABSTOP;
  constexpr DWORD kLabel = SS_LEFTNOWORDWRAP;
  const WindowTexts first = FirstStartTexts();
  label1_ = AddControl(instance, L"STATIC",
                       L"&Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the mame.ini).",
                       kLabel, 0, kLabel1, {240, 120, 5970, 315});
  // A combo box's height is that of its box and its open list together.
  text1_ = AddControl(instance, L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                      0, kText1, {120, 360, 6135, 360 + kText1ListTwips});
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (GetComboBoxInfo(text1_, &parts)) text1_edit_ = parts.hwndItem;
  SetBoxText(text1_, WideText(first.folder_name));
  label2_ = AddControl(instance, L"STATIC", L"&Path to Mame", kLabel, 0, kLabel2, {240, 720, 1230, 915});
  text2_ = AddControl(instance, L"EDIT", WideText(first.mame_path), kTextBox, WS_EX_CLIENTEDGE, kText2,
                      {120, 960, 5010, 1245});
  browse2_ = AddControl(instance, L"BUTTON", L"&Browse...", BS_PUSHBUTTON | WS_TABSTOP, 0, kBrowse2,
                        {5070, 960, 6135, 1245});
  SetAccessibleName(browse2_, L"Browse for the MAME folder");
  label3_ = AddControl(instance, L"STATIC", L"Mame &Exe", kLabel, 0, kLabel3, {240, 1320, 990, 1515});
  text3_ = AddControl(instance, L"EDIT", WideText(first.executable), kTextBox, WS_EX_CLIENTEDGE, kText3,
                      {120, 1560, 5010, 1845});
  browse3_ = AddControl(instance, L"BUTTON", L"Bro&wse...", BS_PUSHBUTTON | WS_TABSTOP, 0, kBrowse3,
                        {5070, 1560, 6135, 1845});
  SetAccessibleName(browse3_, L"Browse for the MAME program");
  chk_list_gen_ = AddControl(instance, L"BUTTON", L"&" + WideText(kListGenCaption),
                             BS_3STATE | BS_MULTILINE | WS_TABSTOP, 0, kChkListGen, {120, 1920, 6135, 2415});
  // What File1 shows; a long path loses its middle.
  file1_label_ = AddControl(instance, L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS, 0,
                            kFile1Label, {120, 2490, 6135, 2730});
  file1_ = AddControl(instance, L"LISTBOX", L"", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                      kFile1, {120, 2760, 6135, kFile1BottomTwips});
  // The progress line, under the list while Convert runs: its text names
  // the bar for a screen reader.
  progress_text_ = AddControl(instance, L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, kProgressText,
                              {120, kFile1BottomTwips, 6135, kFile1BottomTwips});
  progress_bar_ = AddControl(instance, PROGRESS_CLASSW, L"", 0, 0, kProgressBar,
                             {120, kFile1BottomTwips, 6135, kFile1BottomTwips});
  for (HWND part : {progress_text_, progress_bar_}) ShowWindow(part, SW_HIDE);
  command1_ = AddControl(instance, L"BUTTON", L"&Convert", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kCommand1,
                         {120, 5640, 1335, 6135});
  cancel_ = AddControl(instance, L"BUTTON", L"C&ancel", BS_PUSHBUTTON | WS_TABSTOP, 0, kCancel,
                       {1440, 5640, 2655, 6135});
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
  laid_out_ = {MulDiv(kClientWidth, dpi, 96) + fit_.box_growth, MulDiv(kClientHeight, dpi, 96)};
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
  const SIZE growth = Growth();
  const int wider = growth.cx, taller = growth.cy;
  const int line = static_cast<int>(LabelSize(label1_).cy);
  const RECT progress = ProgressLinePlace();
  for (const Placed& item : placed_) {
    if (item.control == progress_text_ || item.control == progress_bar_) continue;  // see PlaceProgressLine
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
    if (item.control == file1_) bottom = progress_shown_ ? progress.top - MulDiv(6, dpi_, 96) : progress.bottom;
    if (item.control == command1_ || item.control == cancel_) {
      top += taller;
      bottom += taller;
    }
    MoveWindow(item.control, left, top, right - left, bottom - top, FALSE);
  }
  PlaceProgressLine();
  InvalidateRect(form_, nullptr, TRUE);
}

// What the client area has more than the layout: the boxes take the width,
// the list the height.
SIZE Form1Win32::Growth() const {
  RECT client{};
  GetClientRect(form_, &client);
  return {fit_.box_growth + client.right - laid_out_.cx, client.bottom - laid_out_.cy};
}

// The progress line's row: the foot of the list's room, a line high, as
// wide as the boxes.
RECT Form1Win32::ProgressLinePlace() const {
  const SIZE growth = Growth();
  const int bottom = Scaled(kFile1BottomTwips, dpi_) + growth.cy;
  const int height = std::max(static_cast<int>(LabelSize(label1_).cy), MulDiv(16, dpi_, 96));
  return {Scaled(120, dpi_), bottom - height, Scaled(kBoxRightTwips, dpi_) + growth.cx, bottom};
}

// Its text as wide as it is (at most two thirds of the row), the bar the rest.
void Form1Win32::PlaceProgressLine() {
  const RECT row = ProgressLinePlace();
  const int width = row.right - row.left;
  const int text = std::min(static_cast<int>(LabelSize(progress_text_).cx), width * 2 / 3);
  const int bar_left = row.left + text + MulDiv(8, dpi_, 96);
  MoveWindow(progress_text_, row.left, row.top, text, row.bottom - row.top, TRUE);
  MoveWindow(progress_bar_, bar_left, row.top, std::max(0, static_cast<int>(row.right) - bar_left),
             row.bottom - row.top, TRUE);
}

// No narrower than the layout, nor shorter than it with the list a few
// lines high; both within the monitor's free area.
void Form1Win32::SetMinimumSize(MINMAXINFO& limits) const {
  if (font_ == nullptr) return;
  const int list_room = std::max(0, Scaled(kFile1BottomTwips - 2760, dpi_) - 4 * static_cast<int>(LabelSize(label1_).cy));
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
    if (!IsDialogMessageW(form_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MarkDefaultButton();
  }
  return static_cast<int>(message.wParam);
}

// Enter presses the button that has the focus; in a box, Convert (Cancel
// while Convert runs).
void Form1Win32::MarkDefaultButton() const {
  if (form_ == nullptr) return;
  brantel::MarkDefaultButton(logic_.Converting() ? cancel_ : command1_, {command1_, cancel_, browse2_, browse3_});
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

// Windows' message box would break a long path inside, and cut a title
// longer than its text: the window's own box keeps both whole.
void Form1Win32::ShowMessageBox(const std::string& prompt, const std::string& title,
                                MessageStyle style) {
  BoxIcon icon = BoxIcon::kNone;
  switch (style) {
    case MessageStyle::kCritical: icon = BoxIcon::kStop; break;
    case MessageStyle::kInformation: icon = BoxIcon::kInformation; break;
    case MessageStyle::kWarning: icon = BoxIcon::kWarning; break;
    case MessageStyle::kOkOnly: break;
  }
  WhileAnswering([&] { ShowMessageDialog(form_, WideText(title), WideText(prompt), icon); });
}

bool Form1Win32::ShowCompletionBox(const std::string& prompt, const std::string& title, bool offer_use_in_mame) {
  bool use_in_mame = false;
  WhileAnswering([&] {
    use_in_mame = ShowMessageDialog(form_, WideText(title), WideText(prompt), BoxIcon::kNone, offer_use_in_mame);
  });
  return use_in_mame;
}

// The bar fills `done` of `total`, or runs as a busy bar while the total is
// not known (0). The line comes and goes with the list giving it room.
void Form1Win32::ShowProgress(const std::string& line, size_t done, size_t total) {
  const bool shown = !line.empty();
  if (shown) {
    SetWindowTextW(progress_text_, WideText(line).c_str());
    const LONG_PTR style = GetWindowLongPtrW(progress_bar_, GWL_STYLE);
    const bool busy = total == 0;
    if (busy != ((style & PBS_MARQUEE) != 0)) {
      SetWindowLongPtrW(progress_bar_, GWL_STYLE, busy ? style | PBS_MARQUEE : style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
    }
    SendMessageW(progress_bar_, PBM_SETMARQUEE, busy ? TRUE : FALSE, 30);
    if (!busy) {
      SendMessageW(progress_bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(std::min<size_t>(total, 0x7fffffff)));
      SendMessageW(progress_bar_, PBM_SETPOS, static_cast<WPARAM>(std::min(done, total)), 0);
    }
  }
  if (shown != progress_shown_) {
    progress_shown_ = shown;
    for (HWND part : {progress_text_, progress_bar_}) ShowWindow(part, shown ? SW_SHOWNA : SW_HIDE);
    PlaceControls();
  } else if (shown) {
    PlaceProgressLine();
  }
  if (form_ != nullptr) UpdateWindow(form_);
}

void Form1Win32::ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                           const std::string& details, MessageStyle style) {
  WhileAnswering([&] {
    ShowNotesDialog(form_, font_, dpi_, WideText(title), WideText(prompt), WideText(details),
                    style == MessageStyle::kWarning, BoxText(text1_));
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
    if (form_ == nullptr || !IsDialogMessageW(form_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MarkDefaultButton();
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
    case DM_GETDEFID:  // what Enter presses in a box (see MarkDefaultButton)
      return MAKELRESULT(logic_.Converting() ? kCancel : kCommand1, DC_HASDEFID);
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
