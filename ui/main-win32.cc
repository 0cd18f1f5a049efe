// brantel-manager.exe: the window program on Windows.
#include "engine/io/folder.h"
#include "ui/form1-win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show) {
  brantel::Form1Win32 form1(brantel::ProgramFolder());
  if (!form1.Create(instance, show)) {
    MessageBoxA(nullptr, "Windows could not create the window.", brantel::kFormCaption,
                MB_OK | MB_ICONSTOP);
    return 1;
  }
  return form1.Run();
}
