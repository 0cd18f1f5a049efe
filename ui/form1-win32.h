// The main window as a native Win32 window: the same controls, places and
// texts as the Qt window (Text1 a drop-down combo box of the old folders), in
// the system's message font, laid out for 96 DPI and scaled to the monitor's. Its texts are UTF-16 (ui/window_text-win32.h
// crosses to the engine's code page). It builds the controls, shows the
// window state the engine works on and hands the events to the form logic.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "engine/window.h"
#include "ui/form_layout.h"
#include "ui/form_logic.h"

namespace brantel {

class Form1Win32 : public WindowWithLists, private FormHost {
 public:
  explicit Form1Win32(std::string program_folder);
  ~Form1Win32() override;
  Form1Win32(const Form1Win32&) = delete;
  Form1Win32& operator=(const Form1Win32&) = delete;

  // Creates the window with its controls and shows it. False when Windows
  // refuses to create it.
  bool Create(HINSTANCE instance, int show_state);
  // Handles messages until the window is gone; returns the exit code.
  int Run();

  std::string Text1() const override;
  void SetText1(const std::string& text) override;
  std::string Text2() const override;
  void SetText2(const std::string& text) override;
  std::string Text3() const override;
  void SetText3(const std::string& text) override;

  int CheckBoxValue() const override;
  bool SetCheckBoxValue(int value) override;

  void ShowMessageBox(const std::string& prompt, const std::string& title,
                      MessageStyle style) override;
  void ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                 const std::string& details, MessageStyle style) override;
  bool ShowCompletionBox(const std::string& prompt, const std::string& title, bool offer_use_in_mame) override;
  void ShowProgress(const std::string& line, size_t done, size_t total) override;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(WORD id, WORD code);
  void OnActivate(bool active);
  void OnText1Picked();
  void CreateControls(HINSTANCE instance);
  HWND AddControl(HINSTANCE instance, const wchar_t* kind, const std::wstring& text, DWORD style,
                  DWORD extended_style, int id, RECT twips);
  void ApplyDpi(int dpi);
  void PlaceControls();
  void SetMinimumSize(MINMAXINFO& limits) const;
  SIZE Growth() const;
  RECT ProgressLinePlace() const;
  void PlaceProgressLine();
  void MarkDefaultButton() const;
  void BrowseForMameFolder();
  void BrowseForMameProgram();
  SIZE LabelSize(HWND label) const;
  void ShowLongNames();
  void ShowFileList();
  bool TouchesText1(const MSG& message) const;
  template <typename Function>
  void WhileAnswering(Function&& show);

  void SetCaption(const std::string& caption) override;
  void ShowBusy(bool busy) override;
  void ShowCancel(bool shown) override;
  void KeepAlive() override;
  void EndProgram() override;
  void ShowOldFolderChoices(const std::vector<std::string>& names) override;
  void ShowFileListLabel(const std::string& label) override;

  FormLogic logic_;
  HWND form_ = nullptr;
  HWND text1_ = nullptr;       // a drop-down combo box
  HWND text1_edit_ = nullptr;  // its text box
  HWND text2_ = nullptr;
  HWND text3_ = nullptr;
  HWND chk_list_gen_ = nullptr;
  HWND file1_label_ = nullptr;  // made right before File1: its name for screen readers
  HWND file1_ = nullptr;
  HWND browse2_ = nullptr;  // a folder chooser for Text2, right after it
  HWND browse3_ = nullptr;  // a file chooser for Text3, right after it
  HWND command1_ = nullptr;
  HWND cancel_ = nullptr;  // shown only while Convert waits
  HWND progress_text_ = nullptr;  // the progress line, under File1 while Convert runs
  HWND progress_bar_ = nullptr;
  bool progress_shown_ = false;
  HWND label1_ = nullptr;
  HWND label2_ = nullptr;
  HWND label3_ = nullptr;
  struct Placed {
    HWND control;
    RECT twips;  // left, top, right and bottom as laid out, in twips at 96 DPI
  };
  std::vector<Placed> placed_;
  std::vector<std::wstring> choices_;  // what Text1's list offers
  HFONT font_ = nullptr;
  int dpi_ = 96;
  LabelFit fit_{0, 0};
  SIZE laid_out_{0, 0};  // the client area the layout is made for; the window may be resized
  HWND focus_ = nullptr;  // the control that had the focus when the window was left
  HWND focus_before_busy_ = nullptr;
  bool wait_cursor_ = false;
};

}  // namespace brantel
