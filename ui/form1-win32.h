// The main window as a native Win32 window: the same controls, places and
// texts as the Qt window, built with the ANSI functions of user32 so that
// its texts are in the code page the engine's file names use. It builds the
// controls, shows the window state the engine works on and hands the events
// to the form logic.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "engine/window.h"
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

  std::string Text1() const override { return TextOf(text1_); }
  void SetText1(const std::string& text) override { SetWindowTextA(text1_, text.c_str()); }
  std::string Text2() const override { return TextOf(text2_); }
  void SetText2(const std::string& text) override { SetWindowTextA(text2_, text.c_str()); }
  std::string Text3() const override { return TextOf(text3_); }
  void SetText3(const std::string& text) override { SetWindowTextA(text3_, text.c_str()); }

  int CheckBoxValue() const override;
  bool SetCheckBoxValue(int value) override;

  void ShowMessageBox(const std::string& prompt, const std::string& title,
                      MessageStyle style) override;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(WORD id, WORD code);
  void OnActivate(bool active);
  void CreateControls(HINSTANCE instance);
  HWND AddControl(HINSTANCE instance, const char* kind, const char* text, DWORD style,
                  DWORD extended_style, int id, int left, int top, int width, int height);
  void ShowFileList();
  bool TouchesText1(const MSG& message) const;
  static std::string TextOf(HWND control);

  void SetCaption(const std::string& caption) override;
  void ShowBusy(bool busy) override;
  void ShowCancel(bool shown) override;
  void KeepAlive() override;
  void EndProgram() override;

  FormLogic logic_;
  HWND form_ = nullptr;
  HWND text1_ = nullptr;
  HWND text2_ = nullptr;
  HWND text3_ = nullptr;
  HWND chk_list_gen_ = nullptr;
  HWND file1_ = nullptr;
  HWND command1_ = nullptr;
  HWND cancel_ = nullptr;  // shown only while Convert waits
  HFONT font_ = nullptr;
  HWND focus_ = nullptr;  // the control that had the focus when the window was left
  HWND focus_before_busy_ = nullptr;
  bool wait_cursor_ = false;
};

}  // namespace brantel
