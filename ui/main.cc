// brantel-manager: the window program.
#include <QApplication>
#include <QIcon>

#include "engine/io/folder.h"
#include "ui/form1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(":/brantel-manager.png"));  // message boxes too
  brantel::Form1 form1(brantel::ProgramFolder());
  form1.show();
  // Where no window manager hands out the focus (a bare X server), the window
  // asks for it itself: its first activation loads the settings.
  form1.activateWindow();
  return application.exec();
}
