// brantel-manager.exe: the window program on Windows.
#include <exception>
#include <stdexcept>

#include "engine/io/folder.h"
#include "engine/io/wide_path.h"
#include "engine/program_files.h"
#include "ui/form1-win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show) {
  const std::string program_folder = brantel::ProgramFolder();
  try {
    // Started from inside the zip, before anything is typed or written.
    brantel::CheckProgramFolderIsWhole(program_folder);
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, brantel::WideText(error.what()).c_str(), brantel::WideText(brantel::kFormCaption).c_str(),
                MB_OK | MB_ICONSTOP);
    return 1;
  }
  brantel::Form1Win32 form1(program_folder);
  try {
    if (!form1.Create(instance, show)) {
      throw std::runtime_error("Windows could not create the window: " + brantel::WindowsReason(GetLastError(), ""));
    }
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, brantel::WideText(error.what()).c_str(), brantel::WideText(brantel::kFormCaption).c_str(),
                MB_OK | MB_ICONSTOP);
    return 1;
  }
  return form1.Run();
}
