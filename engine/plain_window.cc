#include "engine/plain_window.h"

namespace brantel {

PlainWindow::PlainWindow() {
  const WindowTexts first = FirstStartTexts();
  text1_ = first.folder_name;
  text2_ = first.mame_path;
  text3_ = first.executable;
}

void PlainWindow::SetText1(const std::string& text) {
  text1_ = text;
  ShowOldFolder(*this);
}

void PlainWindow::SetText2(const std::string& text) {
  text2_ = text;
  ShowOldFolder(*this);
}

bool PlainWindow::SetCheckBoxValue(int value) {
  if (value < 0 || value > 2) return false;
  check_box_ = value;
  return true;
}

void PlainWindow::ShowMessageBox(const std::string& prompt, const std::string& title,
                                 MessageStyle style) {
  messages_.push_back({prompt, title, style, ""});
}

void PlainWindow::ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                            const std::string& details, MessageStyle style) {
  messages_.push_back({prompt, title, style, details});
}

bool PlainWindow::ShowCompletionBox(const std::string& prompt, const std::string& title, bool offer_use_in_mame) {
  ShowMessageBox(prompt, title, MessageStyle::kOkOnly);
  return offer_use_in_mame && use_in_mame_;
}

}  // namespace brantel
