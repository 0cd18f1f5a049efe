// The conversion notes as a Qt dialog: the heading beside an information or
// a warning icon, every note in a read-only box whose lines wrap, and OK.
// It can be resized (its size is not kept), and Ctrl+C or "Copy" copies the
// selected text, or all the notes when none is selected; "Save..." writes
// them all to a text file.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace brantel {

class NotesDialog : public QDialog {
 public:
  NotesDialog(const QString& title, const QString& heading, const QString& notes, bool warning,
              QWidget* parent);

  QString Heading() const;
  QString Notes() const;
  bool Warning() const { return warning_; }
  QPushButton* OkButton() const { return ok_; }
  // The file name "Save..." offers, in the user's documents folder.
  void SetSaveName(const QString& name) { save_name_ = name; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CopySelectionOrAll();
  void SaveAll();

  QLabel* heading_ = nullptr;
  QPlainTextEdit* notes_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool warning_;
  QString save_name_ = "conversion notes.txt";
};

}  // namespace brantel
