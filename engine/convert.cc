#include "engine/convert.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "engine/classify.h"
#include "engine/combined_file.h"
#include "engine/earlier_output.h"
#include "engine/io/file_list.h"
#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/stop_request.h"
#include "engine/io/work_folder.h"
#include "engine/mame_use.h"
#include "engine/master_list.h"
#include "engine/path_mistakes.h"
#include "engine/program_files.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"
#include "engine/translate.h"
#include "engine/user_cfg.h"
#include "engine/user_systems.h"
#include "tools/mame_program.h"
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

// Convert merges every cfg file of the old folder and writes beside it, so a name that
// leads to ctrlr itself or above it ("", ".", "..", a link back up) must not
// pass: the folder has to lie strictly inside ctrlr, both as spelt and where
// its links lead.
bool IsFolderInsideCtrlr(const std::string& folder_probe, const std::string& ctrlr) {
  if (!FolderExists(folder_probe) || !FolderExists(ctrlr)) return false;
  return IsStrictlyInside(FullFolderPath(folder_probe), FullFolderPath(ctrlr)) &&
         IsStrictlyInside(RealFolderPath(folder_probe), RealFolderPath(ctrlr));
}

// All four lines, the check box's too: a run stopped after this leaves the
// settings file whole.
void SaveTexts(const Window& window, const std::string& settings_file) {
  if (!window.SavesTexts()) return;
  WriteSettings(settings_file, {window.Text1(), window.Text2(), window.Text3(), window.CheckBoxValue()});
}

// What a run killed while it replaced a kept file, or tried its folder, left.
void RemoveLeftTemporaryFilesOf(const KeptFiles& kept_files) {
  for (const std::string* file : {&kept_files.settings_file, &kept_files.master_list, &kept_files.source_record}) {
    RemoveLeftTemporaryFiles(FolderOfFile(*file));
  }
}

// A window started from inside a zip file runs from a temporary folder that
// holds nothing else: say what to do rather than name a missing folder.
// `new_list` asks for a new master list even from the same MAME.
// `mame_program`, when given, is the MAME it asks; otherwise it reads the
// MAME from the settings file this run has just saved.
ProgramOutcome RunListGenerator(const std::string& program_folder, const KeptFiles& kept_files, bool new_list,
                                const std::string& mame_program, const WhileWaiting& while_waiting) {
  CheckProgramFolderIsWhole(program_folder);
  ChangeDriveAndDirectory(ListGeneratorFolder(program_folder));
  std::string command = std::string(kListGeneratorCommand) + (new_list ? " -new" : "");
  if (!mame_program.empty()) command += " -mame " + CommandLineWord(mame_program);
  try {
    return RunAndWait(ListGeneratorProgram(program_folder), command, 0, while_waiting);
  } catch (...) {
    // A stop ends the list generator at once: what it was writing goes now,
    // not at the next run.
    RemoveLeftTemporaryFilesOf(kept_files);
    for (const std::string* file : {&kept_files.master_list, &kept_files.source_record}) {
      RemoveLeftWorkFolders(FolderOfFile(*file));
    }
    throw;
  }
}

// The list generator's own words on one line, and how it ended.
std::string WhatTheListGeneratorSaid(const ProgramOutcome& outcome) {
  std::string said;
  for (const std::string& line : Split(RemoveChars(outcome.errors, "\r"), '\n')) {
    const std::string text = TrimSpaces(line);
    if (!text.empty()) said += (said.empty() ? "" : " / ") + text;
  }
  const std::string how = "the list generator " + outcome.description;
  return said.empty() ? how : said + " (" + how + ")";
}

// The name a section of the INI file `entry` goes by in messages: the entry
// less "ini" followed by "cfg"; "default.cfg" for a default.ini in any case.
std::string SectionFileName(const std::string& entry) {
  if (IsDefaultIni(entry)) return "default.cfg";
  return entry.substr(0, entry.size() >= 3 ? entry.size() - 3 : 0) + "cfg";
}

// Two entries that give one section (a.ini beside a.INI, or two spellings
// of default.ini) would have the second's section override the first's.
void CheckSectionNamesDiffer(const FileList& file_list) {
  std::map<std::string, std::string> entry_of;
  for (const std::string& entry : file_list.Names()) {
    auto [earlier, added] = entry_of.emplace(SectionFileName(entry), entry);
    if (added) continue;
    throw IoError("Two INI files would both become", JoinPath(file_list.Path(), earlier->first),
                  "\"" + earlier->second + "\" and \"" + entry + "\"; rename one of them");
  }
}

std::string CountedSystems(size_t count) {
  return std::to_string(count) + (count == 1 ? " system" : " systems");
}

// Each system of a user's cfg file takes the place its own name gives it.
// Notes how many it holds, or that it is not a cfg file as MAME writes them.
void AddUserCfg(const std::string& name, const std::string& cfg_path, Classifier& classifier,
                CombinedFileParts& parts, const NoteSink& notes) {
  size_t systems = 0;
  const std::uint64_t start = parts.user_bytes.size();
  const std::string root = SplitUserCfg(cfg_path, parts.user_bytes, [&](const UserSystemPlace& place) {
    const UserSystems::Slot slot = place.name == "default" ? UserSystems::Slot::kDefault
                                                           : UserSystems::SlotOf(classifier.GroupOf(place.name));
    parts.user_systems.Add(slot, place.name, start + place.offset, place.size);
    ++systems;
  });
  if (root != "mameconfig") {
    notes({name, 0, NoteKind::kSkippedFile,
           "not merged: its root element is " + root + ", not mameconfig as in MAME's cfg files; "
           "the file stays as it was"});
    return;
  }
  notes({name, 0, NoteKind::kMergedCfg,
         "your own cfg file: " + CountedSystems(systems) + " merged whole; the file stays as it was"});
}

// The place of every section in the new file, before any is written: the
// INI files' by their names and the master list, in the order of the INI
// listing; the systems of the user's cfg files by their own names among
// them, their bytes kept from the one reading of each file.
void OrderSections(Window& window, MasterList master, const std::string& folder, const std::vector<std::string>& ini,
                   const std::vector<std::string>& user_cfg, CombinedFileParts& parts, const NoteSink& notes) {
  window.DriverList().clear();
  window.ParentList().clear();
  window.RomList().clear();
  Classifier classifier(std::move(master), window);
  for (const std::string& name : ini) {
    if (IsDefaultIni(name)) {
      parts.default_sections.push_back(JoinPath(folder, name));
    } else {
      classifier.ClassifyIniFile(folder, name);
    }
  }
  for (const std::string& name : user_cfg) {
    ThrowIfStopRequested();
    AddUserCfg(name, JoinPath(folder, name), classifier, parts, notes);
  }
  parts.user_systems.Sort();
}

// A list generator that failed leaves the previous list; when that is still
// usable Convert goes on with it and says so, otherwise it stops with the list
// generator's own words.
// A list kept from another MAME would classify this one's systems wrongly,
// so that failure stops Convert.
void CheckListIsOfThisMame(const std::string& path, const ProgramOutcome& list_generator,
                           const std::string& source_record, const std::string& mame_program) {
  const std::string recorded = RecordedMameProgram(source_record);
  if (recorded.empty() || mame_program.empty()) return;
  namespace fs = std::filesystem;
  if (fs::path(mame_program).lexically_normal() == fs::path(recorded).lexically_normal()) return;
  throw IoError("The list generator did not make the master list of this MAME", path,
                WhatTheListGeneratorSaid(list_generator) + "; the list kept was made from another MAME, " + recorded);
}

MasterList LoadMasterList(const std::string& path, const ProgramOutcome& list_generator, const NoteSink& notes,
                          const std::string& source_record = "", const std::string& mame_program = "") {
  if (!list_generator.succeeded) CheckListIsOfThisMame(path, list_generator, source_record, mame_program);
  try {
    MasterList list = MasterList::Load(path);
    if (!list_generator.succeeded) {
      notes({kMasterListName, 0, NoteKind::kListNotMadeAnew,
             "could not be made anew, so the previous list was used: " + WhatTheListGeneratorSaid(list_generator)});
    }
    return list;
  } catch (const IoError& error) {
    if (list_generator.succeeded) throw;
    throw IoError("The list generator did not produce the master list", path,
                  WhatTheListGeneratorSaid(list_generator) + "; no usable list is left: " + error.reason());
  }
}

// How this Convert gets its master list: the list generator has run once,
// asked for a new list or not, and can be asked again.
struct ListSource {
  std::string path;
  std::string source_record;
  std::string mame_program;
  ProgramOutcome outcome;
  bool asked_new = false;
  std::function<ProgramOutcome()> make_new;
};

// A kept list that cannot be used (cut short, edited by hand, from another
// program) is made anew once, as the check box would; only when that fails
// too does Convert stop, with both reasons.
MasterList UsableMasterList(const ListSource& source, const NoteSink& notes) {
  try {
    return LoadMasterList(source.path, source.outcome, notes, source.source_record, source.mame_program);
  } catch (const IoError& unusable) {
    if (!source.outcome.succeeded || source.asked_new) throw;
    const ProgramOutcome again = source.make_new();
    const std::string first = "the previous list could not be used (" + unusable.reason() + ")";
    std::string second = WhatTheListGeneratorSaid(again);
    if (again.succeeded) {
      try {
        MasterList list = MasterList::Load(source.path);
        notes({kMasterListName, 0, NoteKind::kListMadeAnew, first + ", so it was made anew"});
        return list;
      } catch (const IoError& error) {
        second = error.reason();
      }
    }
    throw IoError("Could not use the master list, nor make it anew", source.path,
                  first + "; asked for a new list: " + second);
  }
}

// What runs killed while they wrote a combined file in `folder` left: their
// temporary files, and (for one more release) the work folders that earlier
// versions wrote there.
void RemoveLeftOvers(const std::string& folder, const NoteSink& notes) {
  for (const LeftAlone& left : RemoveLeftWorkFolders(folder)) {
    notes({left.path, 0, NoteKind::kLeftFolder, "left as it was, not removed: " + left.reason});
  }
  RemoveLeftTemporaryFiles(folder);
}

// The user's cfg files of the old folder, each noted; File1 lists them
// afterwards.
std::vector<std::string> ListUserCfgFiles(FileList& file_list, const NoteSink& notes) {
  file_list.SetPattern("*.cfg");
  for (const UnusableFile& file : file_list.UnusableFiles()) {
    notes({file.name, 0, NoteKind::kSkippedFile, "not merged: " + file.reason});
  }
  return file_list.Names();
}

// The sections are written in the order of their groups, but the user reads
// the notes in the order of the listings: each INI file's in the INI listing's
// order, then those on included INI files, then the user's cfg files'. A note
// whose place comes next is passed on at once (a folder of one huge INI file
// keeps none); the others are kept with their place until it comes.
class NotesInListingOrder {
 public:
  NotesInListingOrder(const std::vector<std::string>& ini, NoteSink notes)
      : notes_(std::move(notes)), finished_(ini.size(), false) {
    for (size_t index = 0; index < ini.size(); ++index) place_of_ini_.emplace(ini[index], index);
  }

  NoteSink OfIniFile(const std::string& name) { return At(place_of_ini_.at(name)); }
  NoteSink OfIncludedFiles() { return At(finished_.size()); }
  NoteSink OfCfgFiles() { return At(finished_.size() + 1); }

  // The INI file's notes are all told: the places after it may come.
  void Finished(const std::string& name) {
    finished_[place_of_ini_.at(name)] = true;
    while (next_ < finished_.size() && finished_[next_]) PassOnPlace(++next_);
  }

  // Every note kept, in order: at the end, or before a failure is told.
  void PassOn() {
    for (auto& [place, kept] : kept_) {
      for (ConversionNote& note : kept) notes_(std::move(note));
    }
    kept_.clear();
  }

 private:
  NoteSink At(size_t place) {
    return [this, place](ConversionNote note) {
      if (place == next_) {
        notes_(std::move(note));
      } else {
        kept_[place].push_back(std::move(note));
      }
    };
  }

  void PassOnPlace(size_t place) {
    const auto found = kept_.find(place);
    if (found == kept_.end()) return;
    for (ConversionNote& note : found->second) notes_(std::move(note));
    kept_.erase(found);
  }

  NoteSink notes_;
  std::map<std::string, size_t> place_of_ini_;
  std::vector<bool> finished_;
  size_t next_ = 0;  // the place whose notes are passed on at once
  std::map<size_t, ConversionNotes> kept_;
};

// The combined file as it was written.
struct WrittenFile {
  std::string path;
  std::uint64_t size = 0;
  std::string sha256;
};

// Writes every section straight into the new file, each INI file read once.
// An earlier file of its name that Convert did not write, as `written_record`
// tells, is kept aside.
WrittenFile ConvertStreaming(Window& window, const ListSource& list_source, const std::string& written_record,
                             const NoteSink& notes) {
  FileList& file_list = window.File1();
  const std::string folder = file_list.Path();
  const std::vector<std::string> ini = file_list.Names();  // the listing checked is the one converted
  MasterList master = UsableMasterList(list_source, notes);
  CombinedFileParts parts(folder + ".cfg");
  EarlierFile earlier(parts.path, written_record);
  RemoveLeftOvers(FolderOfFile(parts.path), notes);
  std::vector<IniInclude> includes;
  std::string aside;
  NotesInListingOrder in_order(ini, notes);
  try {
    CheckSectionNamesDiffer(file_list);
    // Opening a device ("aux.ini") could wait for ever; such files were never
    // listed, and the user learns which they are.
    for (const UnusableFile& file : file_list.UnusableFiles()) {
      notes({file.name, 0, NoteKind::kSkippedFile, "not converted: " + file.reason});
    }
    const std::vector<std::string> user_cfg = ListUserCfgFiles(file_list, in_order.OfCfgFiles());
    OrderSections(window, std::move(master), folder, ini, user_cfg, parts, in_order.OfCfgFiles());
    size_t converted = 0;
    window.ShowProgress(ConvertingProgress(converted, ini.size()), converted, ini.size());
    parts.translate = [&](const std::string& ini_path, IntermediateSink& section) {
      const std::string name = LastPathPiece(ini_path);
      window.ShowProgress(ConvertingProgress(converted + 1, ini.size()), converted, ini.size());
      for (IniInclude& include : TranslateIniFile(FolderOfFile(ini_path), name, section, in_order.OfIniFile(name))) {
        includes.push_back(std::move(include));
      }
      in_order.Finished(name);
      ++converted;
    };
    parts.before_replace = [&] { aside = earlier.KeepAsideIfNotOurs(); };
    WriteCombinedFile(window, parts);
  } catch (const WaitCancelled&) {
    in_order.PassOn();
    if (!aside.empty()) {
      throw std::runtime_error("Cancelled; the earlier \"" + DisplayPath(parts.path) + "\" is kept as \"" +
                               DisplayPath(aside) + "\"");
    }
    throw;  // Cancel: nothing to report, and nothing left
  } catch (const std::exception& error) {
    in_order.PassOn();  // what was found before the failure, as it was found
    std::string message = dynamic_cast<const std::bad_alloc*>(&error) == nullptr
                              ? error.what()
                              : "Could not convert \"" + DisplayPath(folder) + "\": Not enough memory";
    // Kept aside, and then the new file could not take the name after all.
    if (!aside.empty()) {
      message += "\nThe earlier \"" + DisplayPath(parts.path) + "\" is kept as \"" + DisplayPath(aside) + "\"";
    }
    throw std::runtime_error(message);
  }
  // The new file is in place: what is left can only be told, not fail the run.
  NoteIncludedIniFiles(ini, includes, in_order.OfIncludedFiles());
  in_order.PassOn();
  if (!aside.empty()) {
    notes({parts.path, 0, NoteKind::kKeptAside,
           "not written by this program, so kept as " + DisplayPath(aside) + "; the new file takes its name"});
  }
  return {parts.path, parts.written_size, parts.written_sha256};
}

// A mistyped MAME would only leave the previous list in use, and the user
// would never learn of the typing error: says what was looked for instead.
bool MameIsThere(Window& window) {
  const std::string executable = TrimSpaces(window.Text3());
  if (!FindMameProgram(window.Text2(), executable).empty()) return true;
  window.ShowMessageBox("MAME Not Found!\n" + MameProgramLookedFor(window.Text2(), executable), kPathErrorTitle,
                        MessageStyle::kCritical);
  return false;
}

ConvertResult ConvertLocked(Window& window, const std::string& program_folder, const KeptFiles& kept_files,
                            const std::string& folder_probe, const WhileWaiting& while_waiting) {
  RemoveLeftTemporaryFilesOf(kept_files);
  SaveTexts(window, kept_files.settings_file);
  if (!MameIsThere(window)) return ConvertResult::kPathError;
  const std::string mame_program = FindMameProgram(window.Text2(), TrimSpaces(window.Text3()));
  // Texts not saved leave the settings file naming another MAME, or none.
  const std::string mame_to_ask = window.SavesTexts() ? "" : mame_program;
  ListSource list_source{kept_files.master_list, kept_files.source_record, mame_program, {},
                         window.CheckBoxValue() == 1, [&] {
                           return RunListGenerator(program_folder, kept_files, true, mame_to_ask, while_waiting);
                         }};
  window.ShowProgress(kMakingListProgress, 0, 0);
  list_source.outcome =
      RunListGenerator(program_folder, kept_files, list_source.asked_new, mame_to_ask, while_waiting);

  FileList& file_list = window.File1();
  file_list.SetPattern("*.ini");
  file_list.SetPath(folder_probe);
  if (file_list.ListCount() == 0) {
    window.ShowMessageBox("No INI files found in this folder!\n" + DisplayPath(folder_probe), kPathErrorTitle,
                          MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  ConversionNotes kept;
  const WrittenFile combined = ConvertStreaming(
      window, list_source, kept_files.written_record, [&window, &kept](ConversionNote note) {
        if (!window.ShowConversionNoteAtOnce(note)) kept.push_back(std::move(note));
      });
  // The new file is in place: from here on the run has succeeded, whatever
  // the completion lines can tell.
  std::vector<std::string> lines =
      HowMameUsesTheFile(combined.path, window.Text2(), window.Text3(), window.Text1());
  try {
    RecordWrittenFile(combined.path, combined.size, combined.sha256, kept_files.written_record);
  } catch (const std::exception& error) {
    lines.push_back(std::string("A later Convert will keep this file aside, as it could not be noted as ours: ") +
                    (dynamic_cast<const std::bad_alloc*>(&error) ? "not enough memory" : error.what()));
  }
  window.ShowProgress("", 0, 0);
  ShowCompletion(window, kept, lines);
  return ConvertResult::kCompleted;
}

// Why the typed texts cannot name an old folder; empty when they can.
std::string WhyNotAnOldFolder(const Window& window) {
  // Each text is one line of the settings file.
  for (const std::string& text : {window.Text1(), window.Text2(), window.Text3()}) {
    if (text.find_first_of("\r\n") != std::string::npos) {
      return "\"" + text + "\" holds a line end, which no folder or file name may hold here!";
    }
  }
  if (NamesADevice(window.Text1())) return "\"" + window.Text1() + "\" is the name of a device, not of a folder!";
  for (const std::string& piece : PathPieces(window.Text1())) {
    if (IsWorkFolderName(piece)) {
      return "\"" + window.Text1() + "\" is named like the program's own work folders (\"" + kWorkFolderPrefix +
             "...\"), not like an old folder; rename it to convert it!";
    }
  }
  return "";
}

ConvertResult Convert(Window& window, const std::string& program_folder,
                      const WhileWaiting& while_waiting) {
  TidyTypedPaths(window);
  if (const std::string why = WhyNotAnOldFolder(window); !why.empty()) {
    window.ShowMessageBox(why, kPathErrorTitle, MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  const std::string ctrlr = HostPath(window.Text2() + "ctrlr\\");
  const std::string folder_probe = HostPath(window.Text2() + "ctrlr\\" + window.Text1() + "\\");
  if (!IsFolderInsideCtrlr(folder_probe, ctrlr)) {
    // "", "." or a link back up names a folder that is there, but not one to convert.
    const std::string why = FolderExists(folder_probe) && FolderExists(ctrlr)
                                ? "The old folder must lie inside ctrlr: \"" + window.Text1() +
                                      "\" names ctrlr itself or a folder outside it!"
                                : "Directory Not Found!";
    const std::string meant = WhatWasMeant(window.Text2(), window.Text1());
    window.ShowMessageBox(why + "\n" + DisplayPath(folder_probe) + (meant.empty() ? "" : "\n" + meant),
                          kPathErrorTitle, MessageStyle::kCritical);
    return ConvertResult::kPathError;
  }
  // Two Converts that share the settings file, the master list or the
  // combined file take turns: the later one waits for the earlier.
  const KeptFiles kept_files = KeptFilesOf(program_folder);
  std::vector<std::unique_ptr<FolderLock>> locks;
  for (const std::string& folder : KeptFilesFolders(kept_files)) {
    locks.push_back(LockSayingSo(window, folder, "another Convert uses the files in " + DisplayPath(folder),
                                 while_waiting));
  }
  locks.push_back(
      LockSayingSo(window, folder_probe, "another Convert converts " + DisplayPath(folder_probe), while_waiting));
  return ConvertLocked(window, program_folder, kept_files, folder_probe, while_waiting);
}

}  // namespace

std::unique_ptr<FolderLock> LockSayingSo(Window& window, const std::string& folder, const std::string& what,
                                         const WhileWaiting& while_waiting) {
  const auto say_at = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  bool said = false;
  return std::make_unique<FolderLock>(folder, [&] {
    if (!said && std::chrono::steady_clock::now() >= say_at) {
      said = true;
      window.ShowWaiting(what);
    }
    if (while_waiting) while_waiting();
  });
}

ConvertResult ConvertFolder(Window& window, const std::string& program_folder,
                            const WhileWaiting& while_waiting) {
  // The progress line goes when Convert ends, however it ends.
  struct ProgressLine {
    Window& window;
    ~ProgressLine() { window.ShowProgress("", 0, 0); }
  } progress_line{window};
  try {
    return Convert(window, program_folder, while_waiting);
  } catch (const WaitCancelled&) {
    window.ShowMessageBox(kCancelledPrompt, kCancelledTitle, MessageStyle::kInformation);
    return ConvertResult::kCancelled;
  } catch (const std::bad_alloc&) {
    // Where a file was being read its reader says so; this is what is left.
    window.ShowMessageBox("Could not convert \"" + DisplayPath(window.Text1()) + "\": Not enough memory", kFailureTitle,
                          MessageStyle::kCritical);
    return ConvertResult::kFailed;
  } catch (const std::exception& error) {
    window.ShowMessageBox(error.what(), kFailureTitle, MessageStyle::kCritical);
    return ConvertResult::kFailed;
  }
}

}  // namespace brantel
