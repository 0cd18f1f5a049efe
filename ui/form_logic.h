// The main window's behaviour, the same for every toolkit: what its first
// activation, the texts, the Convert and Cancel buttons and closing do. A
// toolkit's window builds the controls, hands their events here and offers
// the few things below that only it can do.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "engine/window.h"

namespace brantel {

inline constexpr const char* kFormCaption = "brantel Manager";
inline constexpr const char* kListGenCaption =
    "Generate New Master List (made by itself on first run and when MAME changes; tick to force it)";

// What the behaviour needs of a toolkit beyond the window state of Window.
class FormHost {
 public:
  virtual ~FormHost() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  // While Convert runs every control is shown disabled, under a busy
  // cursor; the frame still takes a close request.
  virtual void ShowBusy(bool busy) = 0;
  // The Cancel button, shown only while Convert runs (from its first wait or
  // step on), with the focus; Escape presses it.
  virtual void ShowCancel(bool shown) = 0;
  // Repaints and handles the window's events; the controls are disabled, so
  // only a close request and Cancel act (reaching CloseRequested and
  // CancelPressed).
  virtual void KeepAlive() = 0;
  // Takes the window down for good; the program ends after it.
  virtual void EndProgram() = 0;
  // The folder names Text1's drop-down list offers.
  virtual void ShowOldFolderChoices(const std::vector<std::string>& names) = 0;
  // The line above File1, its label (see FileListLabel).
  virtual void ShowFileListLabel(const std::string& label) = 0;
};

class FormLogic {
 public:
  // `program_folder` holds the settings file and the list generator.
  FormLogic(Window& window, FormHost& host, std::string program_folder);

  // Only the first activation loads the settings; without a settings file
  // the texts come from the MAME that is installed (see MameTextsFor).
  void Activated();
  // Text1 or Text2 changed, or Text1 was clicked or got a key: File1 shows
  // the old folder they name.
  void FolderTextsTouched();
  // The user typed into Text1 or picked a name from its list: from now on
  // the folder name stays when the MAME path changes.
  void FolderNameChosen();
  // A folder the user browsed to for the path to MAME, or dropped on the
  // window: one inside a ctrlr folder names the MAME folder and the old
  // folder both; any other folder is the MAME folder.
  void FolderPointedAt(const std::string& folder);
  // MAME's program, picked in a file chooser: its name, and its folder
  // when that is another.
  void ProgramPointedAt(const std::string& program);
  // Where the file chooser for MAME's program starts.
  std::string MameFolder() const;
  // Text1's list is about to open: it offers the folders there are now.
  void Text1ListOpening();
  // Runs Convert to its end, the window busy; refused while one runs.
  void Command1Pressed();
  // Cancel or Escape while Convert runs: the list generator (and MAME with
  // it) is ended, or the conversion stops at its next step, and Convert ends
  // with "Conversion Cancelled", its own files removed.
  void CancelPressed();
  // Closing is never refused. True: the settings are saved (a failure is
  // shown) and the window may go now. False: a Convert is running; the
  // caption says so, and the window saves and goes once it and its message
  // boxes are done.
  bool CloseRequested();

  // A message box comes up: the caption no longer tells of the work behind
  // it, and a close request still on its way is taken first (a window under
  // a modal box would drop it).
  void BeforeMessageBox();

  bool Converting() const { return converting_; }

 private:
  void FindMame();
  void WhileWaiting();
  void WhileWorkingOn();
  void StayAlive();
  void ShowCaption();
  void Unload();
  void Save();
  void ListOldFolders();
  void ShowFolder();

  Window& window_;
  FormHost& host_;
  std::string program_folder_;
  bool settings_loaded_ = false;
  bool loading_ = false;  // the settings are being put into the texts
  bool folder_name_chosen_ = false;
  bool converting_ = false;
  bool cancel_shown_ = false;
  bool cancel_requested_ = false;
  bool answering_ = false;  // a message box of Convert is up
  bool close_pending_ = false;
  bool unloaded_ = false;
  std::chrono::steady_clock::time_point convert_start_;
  long waited_seconds_ = -1;  // -1: not waiting
  bool listing_ = false;      // the wait is for the list generator
  std::string caption_ = kFormCaption;
  std::optional<std::string> listed_mame_path_;  // whose old folders Text1's list offers
};

}  // namespace brantel
