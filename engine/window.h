// What the conversion sees of the main window: the three texts, the check
// box, the file list, the three hidden lists and the message box. The Qt
// window, the headless front end and the tests each implement it.
#pragma once

#include <string>
#include <vector>

#include "engine/io/file_list.h"

namespace brantel {

struct ConversionNote;

enum class MessageStyle {
  kCritical,     // an OK button with the critical (stop) icon
  kOkOnly,       // an OK button alone
  kInformation,  // an OK button with the information icon
  kWarning,      // an OK button with the warning icon
};

// A list of texts that is never shown; items keep the order they were added.
using HiddenList = std::vector<std::string>;

// What a wait for another Convert is shown as: "Waiting: WHAT".
inline constexpr const char* kWaitingTitle = "Waiting";

class Window {
 public:
  virtual ~Window() = default;

  virtual std::string Text1() const = 0;  // old controller folder name
  virtual void SetText1(const std::string& text) = 0;
  virtual std::string Text2() const = 0;  // MAME path
  virtual void SetText2(const std::string& text) = 0;
  virtual std::string Text3() const = 0;  // MAME executable name
  virtual void SetText3(const std::string& text) = 0;

  // chkListGen: 0 unchecked, 1 checked, 2 grayed.
  virtual int CheckBoxValue() const = 0;
  // Returns false, and keeps the state, for any value other than 0, 1, 2.
  virtual bool SetCheckBoxValue(int value) = 0;

  virtual FileList& File1() = 0;
  virtual HiddenList& DriverList() = 0;
  virtual HiddenList& ParentList() = 0;
  virtual HiddenList& RomList() = 0;

  // Modal; returns when the user has closed the box.
  virtual void ShowMessageBox(const std::string& prompt, const std::string& title,
                              MessageStyle style) = 0;

  // Modal: `details` is the whole text below a short prompt, one item a
  // line, shown where the toolkit offers that. A window without such a box
  // shows the prompt alone.
  virtual void ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                         const std::string& details, MessageStyle style) {
    (void)details;
    ShowMessageBox(prompt, title, style);
  }

  // The completion box: `prompt` one fact a line, the lines for mame.ini
  // exactly as they go into the file; Copy (and Ctrl+C) copies the whole
  // text. With `offer_use_in_mame` it also has the button "Use it in MAME"
  // (kUseInMameButton); returns true when the user pressed that one. A
  // window without such a box shows a plain one and returns false.
  virtual bool ShowCompletionBox(const std::string& prompt, const std::string& title, bool offer_use_in_mame) {
    (void)offer_use_in_mame;
    ShowMessageBox(prompt, title, MessageStyle::kOkOnly);
    return false;
  }

  // The progress line under the file list while Convert runs: `line` with a
  // bar, `done` of `total` filled, or a busy bar when `total` is 0. An empty
  // line takes the progress line away.
  virtual void ShowProgress(const std::string& line, size_t done, size_t total) {
    (void)line;
    (void)done;
    (void)total;
  }

  // Convert has waited a second for another run that uses the same files,
  // and goes on waiting: `what` says for what. By default it takes the
  // progress line.
  virtual void ShowWaiting(const std::string& what) { ShowProgress(kWaitingTitle + std::string(": ") + what, 0, 0); }

  // False when the texts are for this Convert alone: the settings file stays
  // as it is (a script converting several folders leaves the window's).
  virtual bool SavesTexts() const { return true; }

  // Each conversion note as Convert finds it. Returns true when the window
  // has shown it at once; by default it has not, and Convert keeps the notes
  // for one box with details at its end.
  virtual bool ShowConversionNoteAtOnce(const ConversionNote& note) {
    (void)note;
    return false;
  }
};

inline constexpr const char* kUseInMameButton = "Use it in MAME";
inline constexpr const char* kMakingListProgress = "Making the master list (MAME's machines)...";
// "Converting: N of M files"
std::string ConvertingProgress(size_t done, size_t total);

// The three texts of a window: those a new window shows before any settings
// are loaded, and those the settings load gives boxes left empty.
struct WindowTexts {
  std::string folder_name;
  std::string mame_path;
  std::string executable;
};
WindowTexts FirstStartTexts();
WindowTexts LoadDefaults();

// The old controller folder that the MAME path and the folder name name
// together (MAME path, "ctrlr\", folder name), in host form with a trailing
// separator. Quotes are dropped, as Convert drops them.
std::string OldFolderPath(const std::string& mame_path, const std::string& folder_name);

// Points File1 at the old folder of the window's texts, as the window does
// whenever Text1 or Text2 changes: with no such folder (or no folder name)
// the list is empty.
void ShowOldFolder(Window& window);

// The line above File1, saying what it shows: "INI files in ctrlr\mycab"
// (with the host's separator), or which folder is not there.
std::string FileListLabel(const std::string& mame_path, const std::string& folder_name);

// A window that keeps its file list and hidden lists as plain members.
class WindowWithLists : public Window {
 public:
  FileList& File1() override { return file1_; }
  HiddenList& DriverList() override { return driver_list_; }
  HiddenList& ParentList() override { return parent_list_; }
  HiddenList& RomList() override { return rom_list_; }

 private:
  FileList file1_;  // starts on the current directory with "*.ini"
  HiddenList driver_list_;
  HiddenList parent_list_;
  HiddenList rom_list_;
};

}  // namespace brantel
