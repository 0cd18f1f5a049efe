#include "ui/form1-win32.h"

#include <vector>


namespace brantel {

namespace {

constexpr const char* kClassName = "brantelForm1";
constexpr int kTwipsPerPixel = 15;
constexpr int kClientSize = 6735 / kTwipsPerPixel;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Control identifiers stay clear of IDOK and IDCANCEL, which the dialog
// keyboard handling sends for Enter and Escape.
enum ControlId : WORD {
  kLabel1 = 101, kText1, kLabel2, kText2, kLabel3, kText3, kChkListGen, kFile1, kCommand1, kCancel,
};

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
  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = &Form1Win32::WindowProcedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassA(&window_class) == 0) return false;

  RECT frame{0, 0, kClientSize, kClientSize};
  AdjustWindowRectEx(&frame, kFrameStyle, FALSE, 0);
  form_ = CreateWindowExA(0, kClassName, kFormCaption, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          instance, this);
  if (form_ == nullptr) return false;
  // The controls were laid out for 8-point MS Sans Serif: the labels are
  // just wide enough for their captions in it.
  font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  CreateControls(instance);
  focus_ = file1_;
  ShowFileList();
  ShowWindow(form_, show_state);
  UpdateWindow(form_);
  return true;
}

HWND Form1Win32::AddControl(HINSTANCE instance, const char* kind, const char* text, DWORD style,
                            DWORD extended_style, int id, int left, int top, int width,
                            int height) {
  HWND control = CreateWindowExA(
      extended_style, kind, text, WS_CHILD | WS_VISIBLE | style, left / kTwipsPerPixel,
      top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel, form_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

// Tab visits the controls in the order they are made: File1, Text1,
// Command1, Text2, Text3, chkListGen (and Cancel, while it is shown). Labels
// take no focus.
void Form1Win32::CreateControls(HINSTANCE instance) {
  constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_TABSTOP;
  // One line each: a font a little wider than planned clips the end of a
  // caption rather than hiding a whole wrapped line.
  constexpr DWORD kLabel = SS_NOPREFIX | SS_LEFTNOWORDWRAP;
  file1_ = AddControl(instance, "LISTBOX", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                      WS_EX_CLIENTEDGE, kFile1, 120, 3000, 6015, 3015);
  const WindowTexts first = FirstStartTexts();
  text1_ = AddControl(instance, "EDIT", first.folder_name.c_str(), kTextBox, WS_EX_CLIENTEDGE, kText1, 120,
                      840, 6015, 285);
  command1_ = AddControl(instance, "BUTTON", "&Convert", BS_PUSHBUTTON | WS_TABSTOP, 0, kCommand1,
                         120, 6120, 1215, 495);
  text2_ = AddControl(instance, "EDIT", first.mame_path.c_str(), kTextBox,
                      WS_EX_CLIENTEDGE, kText2, 120, 1440, 6015, 285);
  text3_ = AddControl(instance, "EDIT", first.executable.c_str(), kTextBox,
                      WS_EX_CLIENTEDGE, kText3, 120, 2040, 6015, 285);
  chk_list_gen_ = AddControl(instance, "BUTTON",
                             "Generate New Master List (Must be done on first run and anytime "
                             "your mame version is upgraded.)",
                             BS_3STATE | BS_MULTILINE | WS_TABSTOP, 0, kChkListGen, 120, 2400,
                             6015, 495);
  cancel_ = AddControl(instance, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, kCancel, 1440, 6120,
                       1215, 495);
  ShowWindow(cancel_, SW_HIDE);
  AddControl(instance, "STATIC",
             "Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the "
             "mame.ini).",
             kLabel, 0, kLabel1, 240, 600, 5730, 195);
  AddControl(instance, "STATIC", "Path to Mame", kLabel, 0, kLabel2, 240, 1200, 990, 195);
  AddControl(instance, "STATIC", "Mame Exe", kLabel, 0, kLabel3, 240, 1800, 750, 195);
  // No limit of our own on the texts (the default would be 32,767).
  for (HWND box : {text1_, text2_, text3_}) SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
}

int Form1Win32::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Before the key or the click acts on the text.
    if (TouchesText1(message)) logic_.FolderTextsTouched();
    // Tab, the access key and Enter as in a dialog box.
    if (IsDialogMessageA(form_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool Form1Win32::TouchesText1(const MSG& message) const {
  if (message.hwnd != text1_) return false;
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

std::string Form1Win32::TextOf(HWND control) {
  std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  const int length = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<size_t>(length < 0 ? 0 : length));
}

// The box's own numbers are the window state's: 0, 1 and 2 for unchecked,
// checked and grayed.
int Form1Win32::CheckBoxValue() const {
  return static_cast<int>(SendMessageA(chk_list_gen_, BM_GETCHECK, 0, 0));
}

bool Form1Win32::SetCheckBoxValue(int value) {
  if (value < 0 || value > 2) return false;
  SendMessageA(chk_list_gen_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  return true;
}

// The notes box with details comes here too: its prompt already sums the
// details up, and a Windows message box has no place to open them.
void Form1Win32::ShowMessageBox(const std::string& prompt, const std::string& title,
                                MessageStyle style) {
  logic_.BeforeMessageBox();
  const bool waiting = wait_cursor_;
  wait_cursor_ = false;  // the box answers the user: no busy cursor over it
  MessageBoxA(form_, prompt.c_str(), title.c_str(),
              style == MessageStyle::kCritical ? MB_OK | MB_ICONSTOP : MB_OK);
  wait_cursor_ = waiting;
}

void Form1Win32::ShowFileList() {
  if (file1_ == nullptr) return;
  SendMessageA(file1_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(file1_, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : File1().Names()) {
    SendMessageA(file1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageA(file1_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(file1_, nullptr, TRUE);
}

void Form1Win32::SetCaption(const std::string& caption) { SetWindowTextA(form_, caption.c_str()); }

// The controls disabled under a busy cursor (an arrow still, for Cancel);
// the frame stays enabled for a close request. The focus comes back after.
void Form1Win32::ShowBusy(bool busy) {
  if (busy) focus_before_busy_ = GetFocus();
  wait_cursor_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
  for (HWND control : {text1_, text2_, text3_, chk_list_gen_, file1_, command1_}) EnableWindow(control, !busy);
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
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (form_ != nullptr && IsDialogMessageA(form_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Form1Win32::EndProgram() {
  if (form_ != nullptr) DestroyWindow(form_);
}

LRESULT CALLBACK Form1Win32::WindowProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Form1Win32*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->form_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form1Win32*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
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
    case WM_ENDSESSION:
      if (wparam) logic_.CloseRequested();  // the session ends: save now
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(form_, GWLP_USERDATA, 0);
      form_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(form_, message, wparam, lparam);
}

void Form1Win32::OnCommand(WORD id, WORD code) {
  switch (id) {
    case kText1:
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
    case IDOK:
      // Enter: it presses the button that has the focus, and nothing else
      // (there is no default button).
      if (GetFocus() == command1_) logic_.Command1Pressed();
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
  if (focus_ != nullptr) SetFocus(focus_);
}

}  // namespace brantel
