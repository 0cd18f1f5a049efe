#include "engine/plain_window.h"

#include "engine/io/io_error.h"

namespace brantel {

PlainWindow::PlainWindow() = default;

void PlainWindow::SetText1(const std::string& text) {
  text1_ = text;
  PointFileListAt(File1(), text1_);
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
                                            const std::string& details) {
  messages_.push_back({prompt, title, MessageStyle::kOkOnly, details});
}

void PointFileListAt(FileList& file_list, const std::string& folder) {
  try {
    file_list.SetPath(folder);
  } catch (const IoError&) {
    // A name that is no folder (yet) leaves the list as it was.
  }
}

}  // namespace brantel
