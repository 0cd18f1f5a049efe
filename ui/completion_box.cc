#include "ui/completion_box.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

#include "engine/window.h"

namespace brantel {

CompletionBox::CompletionBox(const QString& title, const QString& text, bool offer_use_in_mame, QWidget* parent)
    : QDialog(parent) {
  setObjectName("CompletionBox");
  setWindowTitle(title);

  // Lines are never wrapped: a line wider than the screen scrolls instead.
  text_ = new QLabel(text);
  text_->setObjectName("Text");
  text_->setTextFormat(Qt::PlainText);
  text_->setWordWrap(false);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setAccessibleName(title);
  text_->setMargin(fontMetrics().averageCharWidth());
  text_->installEventFilter(this);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(text_);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  QPushButton* copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
  copy->setObjectName("Copy");
  connect(copy, &QPushButton::clicked, this, [this] { CopyAll(); });
  if (offer_use_in_mame) {
    use_in_mame_ = buttons->addButton(QString("&") + kUseInMameButton, QDialogButtonBox::ActionRole);
    use_in_mame_->setObjectName("UseInMame");
    connect(use_in_mame_, &QPushButton::clicked, this, [this] {
      use_in_mame_pressed_ = true;
      accept();
    });
  }
  for (QAbstractButton* button : buttons->buttons()) {
    static_cast<QPushButton*>(button)->setAutoDefault(button == ok_);
    button->installEventFilter(this);
  }
  ok_->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(scroll, 0, 0);
  layout->addWidget(buttons, 1, 0);
  layout->setRowStretch(0, 1);

  // As wide as the longest line where the screen allows.
  const QSize wanted = text_->sizeHint() + QSize(4 * fontMetrics().averageCharWidth(), 0);
  QSize room(1024, 768);
  if (const QScreen* shown_on = parent != nullptr ? parent->screen() : screen()) {
    room = shown_on->availableGeometry().size() * 9 / 10;
  }
  scroll->setMinimumSize(wanted.boundedTo(room - QSize(0, 4 * buttons->sizeHint().height())));
  ok_->setFocus();
}

QString CompletionBox::Text() const { return text_->text(); }

void CompletionBox::CopyAll() { QApplication::clipboard()->setText(text_->text()); }

// Ctrl+C wherever the focus is copies the whole text, a selection or not.
bool CompletionBox::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    if (event->type() == QEvent::KeyPress) CopyAll();
    event->accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace brantel
