#include "ui/form_logic.h"

#include <exception>

#include "engine/convert.h"
#include "engine/first_start.h"
#include "engine/io/host_path.h"
#include "engine/io/stop_request.h"
#include "engine/old_folders.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"
#include "tools/mame_program.h"
#include "tools/run_and_wait.h"
#include "ui/settings.h"

namespace brantel {

FormLogic::FormLogic(Window& window, FormHost& host, std::string program_folder)
    : window_(window), host_(host), program_folder_(std::move(program_folder)) {}

void FormLogic::Activated() {
  if (settings_loaded_) return;
  settings_loaded_ = true;
  loading_ = true;
  if (!LoadSettings(window_, program_folder_)) FindMame();
  loading_ = false;
  ListOldFolders();
  ShowFolder();
}

// With no settings yet, the texts come from the MAME that is installed: the
// first program that tells where its old folders are, else the first there
// is. Nothing has been typed yet: the window is just up.
void FormLogic::FindMame() {
  std::optional<FoundMame> chosen;
  for (const std::string& program : InstalledMamePrograms(program_folder_)) {
    FoundMame found = MameTextsFor(program);
    const bool tells = !found.mame_path.empty();
    if (!chosen || tells) chosen = std::move(found);
    if (tells) break;
  }
  if (chosen) {
    if (!chosen->mame_path.empty()) window_.SetText2(chosen->mame_path);
    window_.SetText3(chosen->executable);
  }
  window_.SetText1(FittingFolderName(window_.Text2()).value_or(FirstStartTexts().folder_name));
}

// Text1's list follows Text2, listed anew only when Text2 changes: a key
// in Text1 lists the one folder it names, not all of ctrlr. A new MAME path
// brings the folder its mame.ini names, or its only old folder when the
// name is no folder there, unless the user chose one.
void FormLogic::FolderTextsTouched() {
  if (converting_ || loading_) return;
  if (listed_mame_path_ != window_.Text2()) {
    ListOldFolders();
    if (!folder_name_chosen_) {
      const std::optional<std::string> name = FolderNameForNewPath(window_.Text2(), window_.Text1());
      if (name && *name != window_.Text1()) window_.SetText1(*name);
    }
  }
  ShowFolder();
}

void FormLogic::FolderNameChosen() { folder_name_chosen_ = true; }

namespace {

// A chooser's folder, ending in a separator as the path to MAME is kept.
std::string AsMamePath(const std::string& folder) { return JoinPath(folder, ""); }

}  // namespace

void FormLogic::FolderPointedAt(const std::string& folder) {
  if (converting_) return;
  const std::string path = WithoutTrailingSeparators(folder);
  const std::string above = FolderOfFile(path);
  if (UpperAscii(LastPathPiece(above)) == "CTRLR") {
    folder_name_chosen_ = true;
    window_.SetText2(AsMamePath(FolderOfFile(above)));
    window_.SetText1(LastPathPiece(path));
  } else {
    window_.SetText2(AsMamePath(path));
  }
  FolderTextsTouched();
}

void FormLogic::ProgramPointedAt(const std::string& program) {
  if (converting_) return;
  const std::string folder = AsMamePath(FolderOfFile(program));
  if (HostPath(KeptMamePath(window_.Text2())) != folder) window_.SetText2(folder);
  window_.SetText3(LastPathPiece(program));
  FolderTextsTouched();
}

std::string FormLogic::MameFolder() const { return HostPath(KeptMamePath(WithoutQuotes(window_.Text2()))); }

void FormLogic::ShowFolder() {
  ShowOldFolder(window_);
  host_.ShowFileListLabel(FileListLabel(window_.Text2(), window_.Text1()));
}

void FormLogic::Text1ListOpening() {
  if (!converting_) ListOldFolders();
}

void FormLogic::ListOldFolders() {
  listed_mame_path_ = window_.Text2();
  host_.ShowOldFolderChoices(OldFolderChoices(*listed_mame_path_));
}

void FormLogic::Command1Pressed() {
  if (converting_ || unloaded_) return;
  converting_ = true;
  cancel_requested_ = false;
  answering_ = false;
  waited_seconds_ = -1;
  convert_start_ = std::chrono::steady_clock::now();
  host_.ShowBusy(true);
  ShowCaption();
  const bool new_list_asked = window_.CheckBoxValue() == 1;
  ConvertResult result;
  {
    // The reading and writing, a big file's too, stop now and then for the window.
    WhileWorking alive([this] { WhileWorkingOn(); });
    result = ConvertFolder(window_, program_folder_, [this] { WhileWaiting(); });
  }
  // The tick asks for one new master list, not one on every Convert: once
  // it is made, the box is cleared and saved so.
  if (new_list_asked && result == ConvertResult::kCompleted) {
    window_.SetCheckBoxValue(0);
    Save();
  }
  if (cancel_shown_) host_.ShowCancel(false);
  cancel_shown_ = false;
  converting_ = false;
  host_.ShowBusy(false);
  ShowCaption();
  // A failed Convert may leave File1 on another pattern, or on files since
  // deleted: it shows the old folder's INI files as they are now.
  window_.File1().SetPattern("*.ini");
  ShowFolder();
  if (close_pending_) {
    Unload();
    host_.EndProgram();
  }
}

// The seconds in the caption tell the user that the window is alive and
// the list generator (or the conversion) still at work; Cancel is there from
// the first wait on, and once pressed it ends the wait (and the list
// generator with it) or the conversion at its next step.
void FormLogic::WhileWaiting() {
  listing_ = true;
  StayAlive();
}

void FormLogic::WhileWorkingOn() {
  if (answering_) return;  // a message box of Convert handles the messages
  listing_ = false;
  StayAlive();
}

void FormLogic::StayAlive() {
  if (!cancel_shown_) {
    cancel_shown_ = true;
    host_.ShowCancel(true);
  }
  using std::chrono::duration_cast;
  const auto elapsed = std::chrono::steady_clock::now() - convert_start_;
  waited_seconds_ = static_cast<long>(duration_cast<std::chrono::seconds>(elapsed).count());
  ShowCaption();
  host_.KeepAlive();
  if (cancel_requested_) throw WaitCancelled();
}

void FormLogic::CancelPressed() {
  if (!converting_ || answering_ || !cancel_shown_) return;
  cancel_requested_ = true;
  ShowCaption();
}

void FormLogic::BeforeMessageBox() {
  if (!converting_ || answering_) return;
  if (cancel_shown_) host_.ShowCancel(false);
  cancel_shown_ = false;
  host_.KeepAlive();
  answering_ = true;
  ShowCaption();
}

void FormLogic::ShowCaption() {
  std::string caption = kFormCaption;
  if (converting_ && !answering_) {
    if (cancel_requested_) {
      caption += " - cancelling";
    } else if (waited_seconds_ >= 0) {
      caption += (listing_ ? " - making the master list, " : " - converting, ") + std::to_string(waited_seconds_) + " s";
    } else {
      caption += " - converting";
    }
  }
  if (converting_ && close_pending_) caption += " - closing after Convert";
  if (caption == caption_) return;
  caption_ = caption;
  host_.SetCaption(caption);
}

bool FormLogic::CloseRequested() {
  if (unloaded_) return true;
  if (converting_) {
    close_pending_ = true;
    ShowCaption();
    return false;
  }
  Unload();
  return true;
}

void FormLogic::Unload() {
  unloaded_ = true;
  Save();
}

void FormLogic::Save() {
  try {
    SaveSettings(window_, program_folder_);
  } catch (const std::exception& error) {
    window_.ShowMessageBox(
        std::string(error.what()) + "\n\nThe texts and the check box were not saved.",
        kFormCaption, MessageStyle::kCritical);
  }
}

}  // namespace brantel
