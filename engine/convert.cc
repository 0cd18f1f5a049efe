#include "engine/convert.h"

#include <exception>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <vector>

#include "engine/classify.h"
#include "engine/combined_file.h"
#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/program_files.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"
#include "engine/translate.h"
#include "tools/run_and_wait.h"

namespace brantel {
namespace {

constexpr const char* kPathErrorTitle = "File Path Error";

// Quotes (and, where the host has no such names, trailing spaces and dots)
// are dropped from the folder name; quotes from the MAME path, which ends in
// "\". Convert changes the current folder before the list
// generator runs, so a relative MAME path is made absolute first, against the
// folder current now, on the window itself: the settings, the list generator
// and the conversion all see the same folder.
void TidyTypedPaths(Window& window) {
  const std::string folder_name = window.Text1();
  const std::string tidy_name = HostFolderName(WithoutQuotes(folder_name));
  if (tidy_name != folder_name) window.SetText1(tidy_name);
  const std::string mame_path = window.Text2();
  std::string tidy = WithoutQuotes(mame_path);
  if (!tidy.empty() && !std::filesystem::path(HostPath(tidy)).is_absolute()) tidy = FullFolderPath(HostPath(tidy));
  tidy = KeptMamePath(tidy);
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

// Both are full paths without a trailing separator (a root keeps its own).
bool IsStrictlyInside(const std::string& inner, const std::string& outer) {
  size_t length = outer.size();
  if (length > 0 && LastSeparator(outer) == length - 1) --length;
  return inner.size() > length + 1 && inner.compare(0, length, outer, 0, length) == 0 &&
         LastSeparator(inner.substr(0, length + 1)) == length;
}

// Convert merges and deletes every cfg file of the old folder, so a name that
// leads to ctrlr itself or above it ("", ".", "..", a link back up) must not
// pass: the folder has to lie strictly inside ctrlr, both as spelt and where
// its links lead.
bool IsFolderInsideCtrlr(const std::string& folder_probe, const std::string& ctrlr) {
  if (!FolderExists(folder_probe) || !FolderExists(ctrlr)) return false;
  return IsStrictlyInside(FullFolderPath(folder_probe), FullFolderPath(ctrlr)) &&
         IsStrictlyInside(RealFolderPath(folder_probe), RealFolderPath(ctrlr));
}

void SaveThreeTexts(const Window& window, const std::string& settings_file) {
  WriteSettings(settings_file,
                {window.Text1(), window.Text2(), window.Text3(), std::nullopt});
}

// A window started from inside a zip file runs from a temporary folder that
// holds nothing else: say what to do rather than name a missing folder. A
// ticked check box asks for a new master list even from the same MAME.
void RunListGenerator(const Window& window, const std::string& program_folder, const WhileWaiting& while_waiting) {
  const std::string folder = ListGeneratorFolder(program_folder);
  if (!FolderExists(folder)) {
    throw IoError("The list generator is missing: there is no folder", folder,
                  "Extract all files first, then start the program from the extracted folder");
  }
  ChangeDriveAndDirectory(folder);
  const std::string command = std::string(kListGeneratorCommand) + (window.CheckBoxValue() == 1 ? " -new" : "");
  RunAndWait(ListGeneratorProgram(program_folder), command, 0, while_waiting);
}

// The intermediate files this Convert wrote; a failed Convert removes them and
// nothing else of the old folder.
struct OwnFiles {
  std::string folder;
  std::vector<std::string> names;
};

// Two entries that give one intermediate file (a.ini beside a.INI, or two
// spellings of default.ini) would make the second overwrite the first.
void CheckIntermediateNamesDiffer(const FileList& file_list) {
  std::map<std::string, std::string> entry_of;
  for (const std::string& entry : file_list.Names()) {
    auto [earlier, added] = entry_of.emplace(IntermediateName(entry), entry);
    if (added) continue;
    throw IoError("Two INI files would both become", JoinPath(file_list.Path(), earlier->first),
                  "\"" + earlier->second + "\" and \"" + entry + "\"; rename one of them");
  }
}

void TranslateListedIniFiles(FileList& file_list, OwnFiles& own, const NoteSink& notes) {
  CheckIntermediateNamesDiffer(file_list);
  own.folder = file_list.Path();
  const size_t count = file_list.ListCount();
  // Opening a device ("aux.ini") could wait for ever; such files were never
  // listed, and the user learns which they are.
  for (const UnusableFile& file : file_list.UnusableFiles()) {
    notes({file.name, 0, NoteKind::kSkippedFile, "not converted: " + file.reason});
  }
  for (size_t index = 0; index < count; ++index) {
    TranslateIniFile(own.folder, file_list.List(index), notes);
    own.names.push_back(IntermediateName(file_list.List(index)));
  }
}

// Appends to `message` every own file that could not be removed.
void RemoveOwnFiles(const OwnFiles& own, std::string& message) {
  for (const std::string& name : own.names) {
    try {
      RemoveEntryIfPresent(JoinPath(own.folder, name));
    } catch (const IoError& error) {
      message += "\n";
      message += error.what();
    }
  }
}

void ClassifyListedCfgFiles(Window& window, const std::string& master_list) {
  FileList& file_list = window.File1();
  window.DriverList().clear();
  window.ParentList().clear();
  window.RomList().clear();
  Classifier classifier(master_list, window);
  const std::string folder = file_list.Path();
  const size_t count = file_list.ListCount();
  for (size_t index = 0; index < count; ++index) {
    classifier.ClassifyCfgFile(folder, file_list.List(index));
  }
}

ConvertResult ConvertLocked(Window& window, const std::string& program_folder,
                            const std::string& folder_probe, const WhileWaiting& while_waiting,
                            OwnFiles& own) {
  const KeptFiles kept_files = KeptFilesOf(program_folder);
  SaveThreeTexts(window, kept_files.settings_file);
  RunListGenerator(window, program_folder, while_waiting);

  FileList& file_list = window.File1();
  file_list.SetPattern("*.ini");
  file_list.SetPath(folder_probe);
  if (file_list.ListCount() == 0) {
    window.ShowMessageBox("No INI files found in this folder!\n" + folder_probe, kPathErrorTitle,
                          MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  ConversionNotes kept;
  TranslateListedIniFiles(file_list, own, [&window, &kept](ConversionNote note) {
    if (!window.ShowConversionNoteAtOnce(note)) kept.push_back(std::move(note));
  });
  file_list.SetPattern("*.cfg");
  ClassifyListedCfgFiles(window, kept_files.master_list);
  WriteCombinedFile(window, kept);
  return ConvertResult::kCompleted;
}

ConvertResult Convert(Window& window, const std::string& program_folder,
                      const WhileWaiting& while_waiting) {
  TidyTypedPaths(window);
  if (NamesADevice(window.Text1())) {
    window.ShowMessageBox("\"" + window.Text1() + "\" is the name of a device, not of a folder!", kPathErrorTitle,
                          MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  const std::string ctrlr = HostPath(window.Text2() + "ctrlr\\");
  const std::string folder_probe = HostPath(window.Text2() + "ctrlr\\" + window.Text1() + "\\");
  if (!IsFolderInsideCtrlr(folder_probe, ctrlr)) {
    window.ShowMessageBox("Directory Not Found!\n" + folder_probe, kPathErrorTitle, MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  // Two Converts share the settings file, the master list and the old
  // folder's intermediate files: the later one waits for the earlier.
  FolderLock program_lock(program_folder, while_waiting);
  FolderLock old_folder_lock(folder_probe, while_waiting);
  OwnFiles own;
  try {
    return ConvertLocked(window, program_folder, folder_probe, while_waiting, own);
  } catch (const std::exception& error) {
    std::string message = error.what();
    RemoveOwnFiles(own, message);
    throw std::runtime_error(message);
  }
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
