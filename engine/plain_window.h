// A window without a screen: it holds its state in members and keeps every
// message box it was asked to show. The headless front end and the tests use
// it; the text events of the real window (File1 following Text1 and Text2)
// happen here too.
#pragma once

#include <string>
#include <vector>

#include "engine/window.h"

namespace brantel {

struct ShownMessage {
  std::string prompt;
  std::string title;
  MessageStyle style;
  std::string details;  // empty for a box without details
};

class PlainWindow : public WindowWithLists {
 public:
  // The texts a new window shows before any settings are loaded.
  PlainWindow();

  std::string Text1() const override { return text1_; }
  void SetText1(const std::string& text) override;
  std::string Text2() const override { return text2_; }
  void SetText2(const std::string& text) override;
  std::string Text3() const override { return text3_; }
  void SetText3(const std::string& text) override { text3_ = text; }

  int CheckBoxValue() const override { return check_box_; }
  bool SetCheckBoxValue(int value) override;

  void ShowMessageBox(const std::string& prompt, const std::string& title,
                      MessageStyle style) override;
  void ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                 const std::string& details, MessageStyle style) override;
  const std::vector<ShownMessage>& messages() const { return messages_; }

  // The completion box is kept as a message box; "Use it in MAME" counts as
  // pressed when offered and set here.
  bool ShowCompletionBox(const std::string& prompt, const std::string& title, bool offer_use_in_mame) override;
  void SetUseInMame(bool press) { use_in_mame_ = press; }

  std::string OutputFolder() const override { return output_folder_; }
  void SetOutputFolder(const std::string& folder) { output_folder_ = folder; }

 private:
  std::string text1_;
  std::string text2_;
  std::string text3_;
  int check_box_ = 0;
  bool use_in_mame_ = false;
  std::string output_folder_;
  std::vector<ShownMessage> messages_;
};

}  // namespace brantel
