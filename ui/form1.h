// The main window in Qt: the three texts (the first with a drop-down list of
// the old folders there are), the check box, the file list and the Convert
// button, in the system's font. It builds the controls, shows the window
// state the engine works on and hands the events to the form logic.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <string>
#include <vector>

#include "engine/io/file_list.h"
#include "engine/window.h"
#include "ui/form_logic.h"

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QResizeEvent;
class QComboBox;
class QEvent;
class QLineEdit;
class QLabel;
class QListWidget;
class QObject;
class QProgressBar;
class QPushButton;

namespace brantel {

class ListGenCheckBox;

class Form1 : public QWidget, public WindowWithLists, private FormHost {
 public:
  // `program_folder` holds the settings file and the list generator.
  explicit Form1(std::string program_folder, QWidget* parent = nullptr);

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

  bool Converting() const { return logic_.Converting(); }

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void LayOut();
  void ChainFocusOrder();
  void ShowFileList();
  void AddBrowseButtons();
  void FitToScreen();
  void PlaceProgressLine();
  void BrowseForMameFolder();
  void BrowseForMameProgram();

  void SetCaption(const std::string& caption) override;
  void ShowBusy(bool busy) override;
  void ShowCancel(bool shown) override;
  void KeepAlive() override;
  void EndProgram() override;
  void ShowOldFolderChoices(const std::vector<std::string>& names) override;
  void ShowFileListLabel(const std::string& label) override;

  FormLogic logic_;

  QComboBox* text1_ = nullptr;
  QLineEdit* text1_edit_ = nullptr;  // the typing part of text1_
  QLineEdit* text2_ = nullptr;
  QLineEdit* text3_ = nullptr;
  ListGenCheckBox* chk_list_gen_ = nullptr;
  QLabel* file1_label_ = nullptr;  // what File1 shows; its label
  QListWidget* file1_view_ = nullptr;
  QPushButton* browse2_ = nullptr;  // a folder chooser for Text2
  QPushButton* browse3_ = nullptr;  // a file chooser for Text3
  QPushButton* command1_ = nullptr;
  QPushButton* cancel_ = nullptr;
  // Under the file list while Convert runs, in room the list gives up.
  QLabel* progress_label_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QPointer<QWidget> focus_before_busy_;
  struct Placed {
    QWidget* control;
    QRect twips;  // left, top, width and height as laid out at 96 DPI
  };
  std::vector<Placed> placed_;
  // How each control follows the window's size: the boxes and the list grow
  // with its width, the list with its height, the buttons move along.
  enum Anchor { kFixed = 0, kWider = 1, kRight = 2, kTaller = 4, kDown = 8 };
  struct Anchored {
    QWidget* control;
    QRect laid_out;  // at the size the layout gives
    int anchor;
  };
  std::vector<Anchored> anchored_;
  QSize laid_out_size_;
  QString file1_label_text_;
};

}  // namespace brantel
