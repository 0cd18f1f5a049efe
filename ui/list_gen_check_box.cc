#include "ui/list_gen_check_box.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace brantel {

ListGenCheckBox::ListGenCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
  setTristate(true);
}

void ListGenCheckBox::nextCheckState() {
  setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool ListGenCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

// The style draws the box alone; the caption is drawn beside it with word
// wrap, which the style's own check box label does not do.
void ListGenCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_CheckBox, option);

  option.text = caption;
  const QRect caption_rect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  painter.drawItemText(caption_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                       palette(), isEnabled(), caption, QPalette::WindowText);
}

}  // namespace brantel
