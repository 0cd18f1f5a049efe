// The last stage of Convert: the combined controller file beside the old
// folder, and the completion message.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/conversion_notes.h"
#include "engine/translate.h"
#include "engine/use_in_mame.h"
#include "engine/user_systems.h"
#include "engine/window.h"

namespace brantel {

inline constexpr const char* kCompletionPrompt =
    "You can either keep your old folder or safely remove it at this time.";
inline constexpr const char* kCompletionTitle = "Conversion Complete!";

// Gives `section` the intermediate lines of the INI file `ini_path`, as they
// are made.
using SectionSource = std::function<void(const std::string& ini_path, IntermediateSink& section)>;

class CheckedCombinedFile;

// What the combined file is made of besides the three hidden lists, which
// hold the paths of the INI files whose sections they order.
struct CombinedFileParts {
  explicit CombinedFileParts(const std::string& combined_file,
                             size_t held_in_memory = UserSystemBytes::kHeldInMemory);
  ~CombinedFileParts();

  std::string path;                           // the old folder followed by ".cfg"
  std::vector<std::string> default_sections;  // INI files whose sections come first, in this order
  UserSystems user_systems;                   // sorted
  UserSystemBytes user_bytes;                 // where the user's systems lie
  SectionSource translate;
  // Called once the new file is complete and well-formed, its size and
  // digest set below: when it returns true the file under the name holds
  // those bytes already, and the new one goes without taking the name.
  std::function<bool()> holds_already;
  // Called otherwise, right before the new file takes the name.
  std::function<void()> before_replace;
  // Set once the new file is complete: its size and digest, as its bytes
  // were written, and whether it took the name.
  std::uint64_t written_size = 0;
  std::string written_digest;
  bool replaced = false;
  // The new file while it is written, under a temporary name.
  std::unique_ptr<CheckedCombinedFile> file;
};

// Creates the new file under a temporary name beside `parts.path`, as
// WriteCombinedFile would: a folder that cannot be written is known before
// anything else is done. Throws IoError naming the folder.
void CreateCombinedFile(CombinedFileParts& parts);

// Writes the header, the default sections (an empty one when there is none,
// as MAME needs one), the sections of DriverList, ParentList and RomList, and
// the footer, into a temporary file beside the combined file: each INI file's
// section straight from its translation, its port blocks merged; each of the
// user's systems whole, after the translated section of the same name. The
// bytes are checked for well-formedness as they are written (the user's
// systems, made by the program's own writer from one parse, are not parsed
// again). The file replaces an earlier one only once it is complete and
// well-formed, never one marked read-only, and not one that holds its bytes
// already (see `holds_already`). A stop request is heard
// between sections. Throws IoError when a file cannot be read or written.
void WriteCombinedFile(Window& window, CombinedFileParts& parts);

// What the completion box says besides kCompletionPrompt, and whether it
// offers "Use it in MAME".
struct Completion {
  std::vector<std::string> lines;  // before kCompletionPrompt: the most useful first
  std::vector<std::string> after;  // after it
  // kCompletionPrompt, or which files of the old folder to look at first.
  std::string keep_line = kCompletionPrompt;
  // Set when MAME does not use the new file yet and "Use it in MAME" can
  // make it: called on that button (or the front end's option), its lines
  // shown in a second box.
  std::function<UseInMameResult()> use_in_mame;
};

// Sets File1 back to "*.ini", shows the notes, if any, and the completion
// box, one fact a line.
void ShowCompletion(Window& window, const ConversionNotes& notes = {}, const Completion& completion = {});

}  // namespace brantel
