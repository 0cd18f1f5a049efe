// brantel-convert: the Convert command without a window, for scripts.
//
//   brantel-convert [FOLDER [MAME_PATH [EXE]]]
//
// Texts not given come from the settings file, as the window loads them at
// start. Every message box is printed as one line "TITLE: PROMPT", a box
// with details as one line "TITLE: LINE" for each line of its details. Exit
// status: 0 after the completion message, 1 after a "File Path Error"
// message, 2 after any other failure.
#include <cstdio>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>

#include "engine/convert.h"
#include "engine/io/folder.h"
#include "engine/plain_window.h"
#include "ui/settings.h"

namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitPathError = 1;
constexpr int kExitFailed = 2;

class ConsoleWindow : public brantel::PlainWindow {
 public:
  void ShowMessageBox(const std::string& prompt, const std::string& title,
                      brantel::MessageStyle style) override {
    PlainWindow::ShowMessageBox(prompt, title, style);
    std::cout << title << ": " << prompt << std::endl;
  }

  // The details stand for the box: one line "TITLE: ITEM" for each of their lines.
  void ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                 const std::string& details) override {
    PlainWindow::ShowMessageBoxWithDetails(prompt, title, details);
    std::istringstream lines(details);
    for (std::string line; std::getline(lines, line);) std::cout << title << ": " << line << '\n';
    std::cout.flush();
  }
};

void PrintUsage(std::ostream& out) {
  out << "Usage: brantel-convert [FOLDER [MAME_PATH [EXE]]]\n"
         "Converts the old controller folder MAME_PATH\\ctrlr\\FOLDER into the combined\n"
         "controller file MAME_PATH\\ctrlr\\FOLDER.cfg, as the Convert button does.\n"
         "Texts not given come from brantel.cfg in the program folder.\n"
         "Exit status: 0 converted, 1 folder or INI files not found, 2 other failure.\n";
}

int Run(int argc, char** argv) {
  const std::string program_folder = brantel::ProgramFolder();
  ConsoleWindow window;
  brantel::LoadSettings(window, program_folder);
  if (argc > 1) window.SetText1(argv[1]);
  if (argc > 2) window.SetText2(argv[2]);
  if (argc > 3) window.SetText3(argv[3]);
  switch (brantel::ConvertFolder(window, program_folder)) {
    case brantel::ConvertResult::kCompleted: return kExitCompleted;
    case brantel::ConvertResult::kPathError: return kExitPathError;
    case brantel::ConvertResult::kFailed: break;
  }
  return kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    PrintUsage(std::cout);
    return kExitCompleted;
  }
  if (argc > 4) {
    PrintUsage(std::cerr);
    return kExitFailed;
  }
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::cout << brantel::kFailureTitle << ": " << error.what() << std::endl;
    return kExitFailed;
  }
}
