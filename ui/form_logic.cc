#include "ui/form_logic.h"

#include <exception>

#include "engine/convert.h"
#include "ui/settings.h"

namespace brantel {

FormLogic::FormLogic(Window& window, FormHost& host, std::string program_folder)
    : window_(window), host_(host), program_folder_(std::move(program_folder)) {}

void FormLogic::Activated() {
  if (settings_loaded_) return;
  settings_loaded_ = true;
  LoadSettings(window_, program_folder_);
}

void FormLogic::Text1Touched() { PointFileListAt(window_.File1(), window_.Text1()); }

void FormLogic::Command1Pressed() {
  if (converting_ || unloaded_) return;
  converting_ = true;
  convert_start_ = std::chrono::steady_clock::now();
  host_.ShowWaitCursor(true);
  ConvertFolder(window_, program_folder_, [this] { WhileListGeneratorRuns(); });
  BeforeMessageBox();
  host_.ShowWaitCursor(false);
  converting_ = false;
  if (close_pending_) {
    Unload();
    host_.EndProgram();
  }
}

// The seconds in the caption tell the user that the window is alive and
// the list generator still at work.
void FormLogic::WhileListGeneratorRuns() {
  using std::chrono::duration_cast;
  const auto elapsed = std::chrono::steady_clock::now() - convert_start_;
  const long seconds = static_cast<long>(duration_cast<std::chrono::seconds>(elapsed).count());
  if (seconds != shown_seconds_) {
    shown_seconds_ = seconds;
    host_.SetCaption(std::string(kFormCaption) + " - making the master list, " +
                     std::to_string(seconds) + " s");
  }
  host_.KeepAlive();
}

void FormLogic::BeforeMessageBox() {
  if (shown_seconds_ < 0) return;
  shown_seconds_ = -1;
  host_.SetCaption(kFormCaption);
}

bool FormLogic::CloseRequested() {
  if (unloaded_) return true;
  if (converting_) {
    close_pending_ = true;
    return false;
  }
  Unload();
  return true;
}

void FormLogic::Unload() {
  unloaded_ = true;
  try {
    SaveSettings(window_, program_folder_);
  } catch (const std::exception& error) {
    window_.ShowMessageBox(
        std::string(error.what()) + "\n\nThe texts and the check box were not saved.",
        kFormCaption, MessageStyle::kCritical);
  }
}

}  // namespace brantel
