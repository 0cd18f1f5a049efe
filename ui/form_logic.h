// The main window's behaviour, the same for every toolkit: what its first
// activation, the folder name box, the Convert button and closing do. A
// toolkit's window builds the controls, hands their events here and offers
// the few things below that only it can do.
#pragma once

#include <chrono>
#include <string>

#include "engine/window.h"

namespace brantel {

inline constexpr const char* kFormCaption = "brantel Manager";

// What the behaviour needs of a toolkit beyond the window state of Window.
class FormHost {
 public:
  virtual ~FormHost() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual void ShowWaitCursor(bool shown) = 0;
  // Repaints and answers the window manager while the user's input stays
  // refused; a close request that comes meanwhile reaches CloseRequested.
  virtual void KeepAlive() = 0;
  // Takes the window down for good; the program ends after it.
  virtual void EndProgram() = 0;
};

class FormLogic {
 public:
  // `program_folder` holds the settings file and the list generator.
  FormLogic(Window& window, FormHost& host, std::string program_folder);

  // Only the first activation loads the settings.
  void Activated();
  // Text1 changed, was clicked or got a key: File1 follows its text.
  void Text1Touched();
  // Runs Convert to its end with the wait cursor; refused while one runs.
  void Command1Pressed();
  // Closing is never refused. True: the settings are saved (a failure is
  // shown) and the window may go now. False: a Convert is running; the
  // window saves and goes once it and its message boxes are done.
  bool CloseRequested();

  // A message box comes up: the caption no longer counts seconds behind it.
  void BeforeMessageBox();

  bool Converting() const { return converting_; }

 private:
  void WhileListGeneratorRuns();
  void Unload();

  Window& window_;
  FormHost& host_;
  std::string program_folder_;
  bool settings_loaded_ = false;
  bool converting_ = false;
  bool close_pending_ = false;
  bool unloaded_ = false;
  std::chrono::steady_clock::time_point convert_start_;
  long shown_seconds_ = -1;  // -1: the caption is the plain one
};

}  // namespace brantel
