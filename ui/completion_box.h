// The box that tells Convert's end: one fact a line, never broken inside a
// line (a path stays whole, a mame.ini line stays as it goes into the file),
// the text selectable; "Copy" and Ctrl+C copy the whole text, and "Use it in
// MAME" is there when the window offers it.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace brantel {

class CompletionBox : public QDialog {
 public:
  CompletionBox(const QString& title, const QString& text, bool offer_use_in_mame, QWidget* parent);

  QString Text() const;
  QPushButton* OkButton() const { return ok_; }
  QPushButton* UseInMameButton() const { return use_in_mame_; }  // null when not offered
  // After exec(): true when "Use it in MAME" closed the box.
  bool UseInMamePressed() const { return use_in_mame_pressed_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CopyAll();

  QLabel* text_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* use_in_mame_ = nullptr;
  bool use_in_mame_pressed_ = false;
};

}  // namespace brantel
