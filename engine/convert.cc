#include "engine/convert.h"

#include <exception>

#include "engine/classify.h"
#include "engine/combined_file.h"
#include "engine/io/folder.h"
#include "engine/io/line_file.h"
#include "engine/program_files.h"
#include "engine/text_rules.h"
#include "engine/translate.h"
#include "tools/run_and_wait.h"

namespace brantel {
namespace {

constexpr const char* kPathErrorTitle = "File Path Error";

// Quotes are dropped from the folder name and the MAME path, and the MAME
// path ends in "\".
void TidyTypedPaths(Window& window) {
  const std::string folder_name = window.Text1();
  if (WithoutQuotes(folder_name) != folder_name) window.SetText1(WithoutQuotes(folder_name));
  const std::string mame_path = window.Text2();
  const std::string tidy = WithTrailingBackslash(WithoutQuotes(mame_path));
  if (tidy != mame_path) window.SetText2(tidy);
}

// A folder named like a device ("nul", "COM1") would have the combined file
// written into the device.
bool NamesADevice(const std::string& folder_name) {
  for (const std::string& piece : PathPieces(folder_name)) {
    if (IsDeviceName(piece)) return true;
  }
  return false;
}

void SaveThreeTexts(const Window& window, const std::string& program_folder) {
  LineWriter settings(SettingsFilePath(program_folder));
  settings.Print(window.Text1());
  settings.Print(window.Text2());
  settings.Print(window.Text3());
  settings.Close();
}

void RunListGenerator(const std::string& program_folder, const WhileWaiting& while_waiting) {
  ChangeDriveAndDirectory(ListGeneratorFolder(program_folder));
  RunAndWait(ListGeneratorProgram(program_folder), kListGeneratorCommand, 0, while_waiting);
}

ConversionNotes TranslateListedIniFiles(FileList& file_list) {
  const std::string folder = file_list.Path();
  const size_t count = file_list.ListCount();
  ConversionNotes notes;
  // Opening a device ("aux.ini") could wait for ever; such files were never
  // listed, and the user learns which they are.
  for (const UnusableFile& file : file_list.UnusableFiles()) {
    notes.push_back({file.name, 0, NoteKind::kSkippedFile, "not converted: " + file.reason});
  }
  for (size_t index = 0; index < count; ++index) {
    ConversionNotes file_notes = TranslateIniFile(folder, file_list.List(index));
    notes.insert(notes.end(), file_notes.begin(), file_notes.end());
  }
  return notes;
}

void ClassifyListedCfgFiles(Window& window, const std::string& program_folder) {
  FileList& file_list = window.File1();
  window.DriverList().clear();
  window.ParentList().clear();
  window.RomList().clear();
  Classifier classifier(MasterListPath(program_folder), window);
  const std::string folder = file_list.Path();
  const size_t count = file_list.ListCount();
  for (size_t index = 0; index < count; ++index) {
    classifier.ClassifyCfgFile(folder, file_list.List(index));
  }
}

ConvertResult Convert(Window& window, const std::string& program_folder,
                      const WhileWaiting& while_waiting) {
  TidyTypedPaths(window);
  if (NamesADevice(window.Text1())) {
    window.ShowMessageBox("\"" + window.Text1() + "\" is the name of a device, not of a folder!", kPathErrorTitle,
                          MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  const std::string folder_probe = window.Text2() + "ctrlr\\" + window.Text1() + "\\";
  if (!FolderExists(folder_probe)) {
    window.ShowMessageBox("Directory Not Found!", kPathErrorTitle, MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  SaveThreeTexts(window, program_folder);
  RunListGenerator(program_folder, while_waiting);

  FileList& file_list = window.File1();
  file_list.SetPattern("*.ini");
  file_list.SetPath(folder_probe);
  if (file_list.ListCount() == 0) {
    window.ShowMessageBox("No INI files found in this folder!", kPathErrorTitle,
                          MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  const ConversionNotes notes = TranslateListedIniFiles(file_list);
  file_list.SetPattern("*.cfg");
  ClassifyListedCfgFiles(window, program_folder);
  WriteCombinedFile(window, notes);
  return ConvertResult::kCompleted;
}

}  // namespace

ConvertResult ConvertFolder(Window& window, const std::string& program_folder,
                            const WhileWaiting& while_waiting) {
  try {
    return Convert(window, program_folder, while_waiting);
  } catch (const std::exception& error) {
    window.ShowMessageBox(error.what(), kFailureTitle, MessageStyle::kCritical);
    return ConvertResult::kFailed;
  }
}

}  // namespace brantel
