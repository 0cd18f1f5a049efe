#include "ui/notes_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>

#include <exception>

#include "ui/notes_file.h"

namespace brantel {

NotesDialog::NotesDialog(const QString& title, const QString& heading, const QString& notes, bool warning,
                         QWidget* parent)
    : QDialog(parent), warning_(warning) {
  setObjectName("ConversionNotes");
  setWindowTitle(title);
  setSizeGripEnabled(true);

  auto* icon = new QLabel(this);
  const int icon_size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()
                      ->standardIcon(warning ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation,
                                     nullptr, this)
                      .pixmap(icon_size, icon_size));
  icon->setAlignment(Qt::AlignTop);

  heading_ = new QLabel(heading, this);
  heading_->setTextFormat(Qt::PlainText);
  heading_->setWordWrap(true);

  notes_ = new QPlainTextEdit(notes, this);
  notes_->setObjectName("Notes");
  notes_->setAccessibleName("Conversion notes");
  notes_->setReadOnly(true);
  notes_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);  // and the keys select
  notes_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  notes_->installEventFilter(this);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->installEventFilter(this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  QPushButton* copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
  copy->setObjectName("Copy");
  connect(copy, &QPushButton::clicked, this, [this] { CopySelectionOrAll(); });
  QPushButton* save = buttons->addButton("&Save...", QDialogButtonBox::ActionRole);
  save->setObjectName("Save");
  connect(save, &QPushButton::clicked, this, [this] { SaveAll(); });
  for (QPushButton* button : {copy, save}) {
    button->setAutoDefault(false);
    button->installEventFilter(this);
  }

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0);
  layout->addWidget(heading_, 0, 1);
  layout->addWidget(notes_, 1, 0, 1, 2);
  layout->addWidget(buttons, 2, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);

  // Wide enough for a note of some eighty characters on a line.
  const QFontMetrics metrics(font());
  resize(metrics.averageCharWidth() * 90, metrics.lineSpacing() * 24);
  ok_->setFocus();
}

QString NotesDialog::Heading() const { return heading_->text(); }
QString NotesDialog::Notes() const { return notes_->toPlainText(); }

void NotesDialog::CopySelectionOrAll() {
  const QString selected = notes_->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
  QApplication::clipboard()->setText(selected.isEmpty() ? notes_->toPlainText() : selected);
}

void NotesDialog::SaveAll() {
  // The user's documents, never the program's folder, which the user may
  // not write to.
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
  const QString path = QFileDialog::getSaveFileName(this, "Save the notes", QDir(documents).filePath(save_name_),
                                                    "Text files (*.txt);;All files (*)");
  if (path.isEmpty()) return;
  try {
    SaveNotesFile(QDir::toNativeSeparators(path).toLocal8Bit().toStdString(),
                  notes_->toPlainText().toLocal8Bit().toStdString());
  } catch (const std::exception& error) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), QString::fromLocal8Bit(error.what()), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  }
}

// Ctrl+C wherever the focus is in the dialog; the notes box alone would
// copy nothing without a selection.
bool NotesDialog::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    if (event->type() == QEvent::KeyPress) CopySelectionOrAll();
    event->accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace brantel
