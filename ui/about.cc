#include "ui/about.h"

#include <QAction>
#include <QMessageBox>
#include <QWidget>

#include "ui/about_text.h"

namespace brantel {

void AddAboutToContextMenu(QWidget& form) {
  auto* about = new QAction("&About brantel Manager...", &form);
  about->setObjectName("About");
  QObject::connect(about, &QAction::triggered, &form,
                   [&form] { QMessageBox::about(&form, kAboutCaption, kAboutText); });
  form.addAction(about);
  form.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace brantel
