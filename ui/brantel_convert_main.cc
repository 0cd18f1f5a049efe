// brantel-convert: the Convert command without a window, for scripts.
//
//   brantel-convert [FOLDER [MAME_PATH [EXE]]]
//
// Texts not given come from the settings file, as the window loads them at
// start; afterwards all four lines of the settings file are written, as the
// window's close writes them. Every message box is printed as one line
// "TITLE: LINE" for each line of its prompt, a box with details for each line
// of its details. Conversion notes are printed as they are found, each as
// "Conversion Notes: NOTE", and not kept, so that memory does not grow with
// their number. Exit status: 0 after the completion message, 1 after a
// "File Path Error" message, 2 after any other failure.
#include <cstdio>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/conversion_notes.h"
#include "engine/convert.h"
#include "engine/io/command_line.h"
#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/plain_window.h"
#include "ui/settings.h"

namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitPathError = 1;
constexpr int kExitFailed = 2;

class ConsoleWindow : public brantel::PlainWindow {
 public:
  // A prompt of several lines (the second names the folder looked for) is
  // printed as one line "TITLE: LINE" for each.
  void ShowMessageBox(const std::string& prompt, const std::string& title,
                      brantel::MessageStyle style) override {
    PlainWindow::ShowMessageBox(prompt, title, style);
    PrintLines(title, prompt);
  }

  // The details stand for the box: one line "TITLE: ITEM" for each of their lines.
  void ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                 const std::string& details) override {
    PlainWindow::ShowMessageBoxWithDetails(prompt, title, details);
    PrintLines(title, details);
  }

  bool ShowConversionNoteAtOnce(const brantel::ConversionNote& note) override {
    std::cout << brantel::kNotesTitle << ": " << brantel::NoteLine(note) << '\n';
    return true;
  }

 private:
  static void PrintLines(const std::string& title, const std::string& text) {
    std::istringstream lines(text);
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

int Run(const std::vector<std::string>& arguments) {
  const std::string program_folder = brantel::ProgramFolder();
  ConsoleWindow window;
  {
    // Another Convert from this program folder may be writing the file.
    brantel::FolderLock settings_lock(program_folder);
    brantel::LoadSettings(window, program_folder);
  }
  if (arguments.size() > 0) window.SetText1(arguments[0]);
  if (arguments.size() > 1) window.SetText2(arguments[1]);
  if (arguments.size() > 2) window.SetText3(arguments[2]);
  const brantel::ConvertResult result = brantel::ConvertFolder(window, program_folder);
  // The window writes all four lines when it closes; so does this front end,
  // with the check box as it was loaded.
  {
    brantel::FolderLock settings_lock(program_folder);
    brantel::SaveSettings(window, program_folder);
  }
  switch (result) {
    case brantel::ConvertResult::kCompleted: return kExitCompleted;
    case brantel::ConvertResult::kPathError: return kExitPathError;
    case brantel::ConvertResult::kFailed: break;
  }
  return kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> arguments = brantel::CommandLineArguments(argc, argv);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
      PrintUsage(std::cout);
      return kExitCompleted;
    }
    if (arguments.size() > 3) {
      PrintUsage(std::cerr);
      return kExitFailed;
    }
    return Run(arguments);
  } catch (const std::exception& error) {
    std::cout << brantel::kFailureTitle << ": " << error.what() << std::endl;
    return kExitFailed;
  }
}
