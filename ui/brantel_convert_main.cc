// brantel-convert: the Convert command without a window, for scripts.
//
//   brantel-convert [OPTION] [--] [FOLDER [MAME_PATH [EXE]]]
//
// Texts not given come from the settings file, as the window loads them at
// start; all four lines of the settings file are written, by Convert itself
// or, when it stopped before, afterwards, as the window's close writes them,
// unless --no-save asks to leave it as it is. Every message box is printed as
// one line "TITLE: LINE" for each line of its prompt, a box with details for
// each line of its details: failures on standard error, the completion lines
// and the notes on standard output. Conversion notes are printed as they are
// found, each as "Conversion Notes: NOTE" (see NoteLine), and not kept, so
// that memory does not grow with their number. Exit status: see PrintUsage;
// an output closed early (a pipe into "head -1") changes none of it.
#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/conversion_notes.h"
#include "engine/convert.h"
#include "engine/io/command_line.h"
#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/stop_request.h"
#include "engine/plain_window.h"
#include "engine/program_files.h"
#include "ui/settings.h"

namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitPathError = 1;
constexpr int kExitFailed = 2;

class ConsoleWindow : public brantel::PlainWindow {
 public:
  explicit ConsoleWindow(bool saves_texts) : saves_texts_(saves_texts) {}

  // A prompt of several lines (the second names the folder looked for) is
  // printed as one line "TITLE: LINE" for each: a script reads the failures
  // apart from what was done.
  void ShowMessageBox(const std::string& prompt, const std::string& title,
                      brantel::MessageStyle style) override {
    PlainWindow::ShowMessageBox(prompt, title, style);
    const bool failure = style == brantel::MessageStyle::kCritical || title == brantel::kCancelledTitle;
    PrintLines(failure ? std::cerr : std::cout, title, prompt);
  }

  // The details stand for the box: one line "TITLE: ITEM" for each of their lines.
  void ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                 const std::string& details, brantel::MessageStyle style) override {
    PlainWindow::ShowMessageBoxWithDetails(prompt, title, details, style);
    PrintLines(std::cout, title, details);
  }

  bool SavesTexts() const override { return saves_texts_; }

  // A long wait for another run is told at once, on its own line.
  void ShowWaiting(const std::string& what) override {
    std::cerr << brantel::kWaitingTitle << ": " << what << std::endl;
  }

  bool ShowConversionNoteAtOnce(const brantel::ConversionNote& note) override {
    std::cout << brantel::kNotesTitle << ": " << brantel::NoteLine(note) << '\n';
    return true;
  }

 private:
  static void PrintLines(std::ostream& out, const std::string& title, const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) out << title << ": " << line << '\n';
    out.flush();
  }

  bool saves_texts_;
};

// Where the files are now, as the usage names them; nothing is made for them.
std::string KeptFilesText() {
  try {
    const brantel::KeptFiles files = brantel::WhereFilesAreKept(brantel::ProgramFolder());
    return "  settings:    " + files.settings_file + "\n  master list: " + files.master_list +
           "\n  written:     " + files.written_record + " (what Convert wrote, to tell it from your own files)\n";
  } catch (const std::exception& error) {
    return std::string("  brantel.cfg: ") + error.what() + "\n";
  }
}

// The examples in the host's own terms: its paths, its MAME and its shell.
#ifdef _WIN32
constexpr const char* kExamples =
    "  brantel-convert mycab D:\\MAME\\ mame.exe\n"
    "  for %f in (cab1 cab2) do brantel-convert --no-save %f D:\\MAME\\ mame.exe\n";
constexpr const char* kStoppedStatus = "  3221225786  stopped by Ctrl+C: nothing was changed\n";
#else
constexpr const char* kExamples =
    "  brantel-convert mycab ~/mame/ mame\n"
    "  for f in cab1 cab2; do brantel-convert --no-save \"$f\" ~/mame/ mame || break; done\n";
constexpr const char* kStoppedStatus = "  128+N  stopped by signal N (130: Ctrl+C): nothing was changed\n";
#endif

void PrintUsage(std::ostream& out) {
  const std::string folder = brantel::JoinPath(brantel::JoinPath("MAME_PATH", "ctrlr"), "FOLDER");
  out << "Usage: brantel-convert [OPTION] [--] [FOLDER [MAME_PATH [EXE]]]\n"
         "Converts the old controller folder "
      << folder << " into the combined\ncontroller file " << folder
      << ".cfg, as the Convert button does.\n"
         "Texts not given come from the settings file, where all four settings are\n"
         "saved afterwards. This program keeps its files here:\n"
      << KeptFilesText()
      << "  -h, --help, /?  print this text\n"
         "  --version       print the program's version\n"
         "  --no-save       leave the settings file as it is\n"
         "  --              end of options: a FOLDER may then begin with \"-\"\n"
         "The completion lines and the notes go to standard output, failures to\n"
         "standard error.\n"
         "Exit status:\n"
         "  0  converted (\"Conversion Complete!\"), or --help or --version\n"
         "  1  \"File Path Error\": the folder, its INI files or MAME not found, or a\n"
         "     text that cannot name them\n"
         "  2  \"Conversion Failed\": any other failure, or wrong usage\n"
      << kStoppedStatus << "Examples:\n" << kExamples;
}

// The lock Convert takes first on the settings file's folder.
std::unique_ptr<brantel::FolderLock> SettingsLock(ConsoleWindow& window, const std::string& program_folder) {
  const std::string folder = brantel::FolderOfFile(brantel::KeptFilesOf(program_folder).settings_file);
  return brantel::LockSayingSo(window, folder, "another Convert uses the files in " + brantel::DisplayPath(folder),
                               brantel::ThrowIfStopRequested);
}

// Settings that cannot be written fail Convert already, with this very
// message; it is printed once.
void SaveSettingsAfterConvert(ConsoleWindow& window, const std::string& program_folder) {
  try {
    const auto settings_lock = SettingsLock(window, program_folder);
    brantel::SaveSettings(window, program_folder);
  } catch (const std::exception& error) {
    for (const brantel::ShownMessage& shown : window.messages()) {
      if (shown.prompt == error.what()) return;
    }
    throw;
  }
}

// What the command line asks for: the texts, or an answer printed at once.
struct Request {
  std::vector<std::string> texts;
  bool save = true;
  std::optional<int> exit_now;
};

int Run(const Request& request) {
  const std::vector<std::string>& texts = request.texts;
  const std::string program_folder = brantel::ProgramFolder();
  // Started alone from inside a zip: say so before anything is written.
  brantel::CheckProgramFolderIsWhole(program_folder);
  ConsoleWindow window(request.save);
  {
    // Another Convert may be writing the file.
    const auto settings_lock = SettingsLock(window, program_folder);
    std::vector<std::string> notes;
    brantel::LoadSettings(window, program_folder, &notes);
    for (const std::string& note : notes) std::cout << brantel::kNotesTitle << ": " << note << '\n';
  }
  if (texts.size() > 0) window.SetText1(texts[0]);
  if (texts.size() > 1) window.SetText2(texts[1]);
  if (texts.size() > 2) window.SetText3(texts[2]);
  // Ctrl+C or SIGTERM: Convert stops at its next step or wait, ending the
  // list generator and MAME, removes its own files, and the program ends.
  const brantel::ConvertResult result = brantel::ConvertFolder(window, program_folder, brantel::ThrowIfStopRequested);
  // The new file is in place and said so: a stop request now changes
  // nothing, and Convert saved the four lines this front end would.
  if (result == brantel::ConvertResult::kCompleted) return kExitCompleted;
  brantel::EndIfStopRequested();
  // The window writes all four lines when it closes; so does this front end,
  // with the check box as it was loaded, for a Convert that stopped before
  // it saved them.
  if (request.save) SaveSettingsAfterConvert(window, program_folder);
  return result == brantel::ConvertResult::kPathError ? kExitPathError : kExitFailed;
}

Request ReadArguments(const std::vector<std::string>& arguments) {
  Request request;
  bool options_ended = false;
  for (const std::string& argument : arguments) {
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && (argument == "-h" || argument == "--help" || argument == "/?")) {
      PrintUsage(std::cout);
      return {{}, true, kExitCompleted};
    } else if (!options_ended && argument == "--version") {
      std::cout << "brantel-convert " << BRANTEL_VERSION << "\n";
      return {{}, true, kExitCompleted};
    } else if (!options_ended && argument == "--no-save") {
      request.save = false;
    } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
      std::cerr << "brantel-convert: unknown option " << argument << "\n";
      PrintUsage(std::cerr);
      return {{}, true, kExitFailed};
    } else {
      request.texts.push_back(argument);
    }
  }
  if (request.texts.size() > 3) {
    PrintUsage(std::cerr);
    return {{}, true, kExitFailed};
  }
  return request;
}

}  // namespace

int main(int argc, char** argv) {
  brantel::StopOnInterruption();
  try {
    const Request request = ReadArguments(brantel::CommandLineArguments(argc, argv));
    if (request.exit_now) return *request.exit_now;
    return Run(request);
  } catch (const std::exception& error) {
    // A wait given up at the request is told as a stop at any other step.
    std::cerr << brantel::kFailureTitle << ": " << error.what() << std::endl;
    brantel::EndIfStopRequested();
    return kExitFailed;
  }
}
