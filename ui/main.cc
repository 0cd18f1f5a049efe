// brantel-manager: the window program.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "engine/io/folder.h"
#include "engine/io/stop_request.h"
#include "engine/program_files.h"
#include "ui/form1.h"

int main(int argc, char** argv) {
  brantel::KeepWritesFailing();
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(":/brantel-manager.png"));  // message boxes too
  const std::string program_folder = brantel::ProgramFolder();
  try {
    // A copy on its own, without the list generator: said before anything is typed.
    brantel::CheckProgramFolderIsWhole(program_folder);
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, brantel::kFormCaption, QString::fromLocal8Bit(error.what()));
    return 1;
  }
  brantel::Form1 form1(program_folder);
  form1.show();
  // Where no window manager hands out the focus (a bare X server), the window
  // asks for it itself: its first activation loads the settings.
  form1.activateWindow();
  return application.exec();
}
