// The check box chkListGen: three values, of which the user's click only
// produces two, and a caption that wraps onto as many lines as its height
// allows.
#pragma once

#include <QCheckBox>
#include <QString>

class QPaintEvent;
class QWidget;

namespace brantel {

class ListGenCheckBox : public QCheckBox {
 public:
  ListGenCheckBox(const QString& caption, QWidget* parent);

 protected:
  // Unchecked and grayed go to checked, checked goes to unchecked: grayed is
  // a value only the settings file sets.
  void nextCheckState() override;
  // The whole control answers the mouse, the wrapped lines included.
  bool hitButton(const QPoint& pos) const override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace brantel
