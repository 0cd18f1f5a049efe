// Notes for the user on what MAME will not take from the INI files as they
// were written: found while the files are translated, and either shown at
// once or kept for one box at the end of Convert, as the window prefers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/window.h"

namespace brantel {

enum class NoteKind {
  kReplacedName,     // an old code name became the current one
  kLeftOutToken,     // a token MAME can crash on was not written
  kDroppedToken,     // a token MAME does not know, written as it was
  kNeverFires,       // a token MAME reads but that can never fire, written
  kUnknownPortType,  // a port type MAME does not know, written as it was
  kSkippedFile,      // an INI file no file operation can open, not converted
  kNoInput,          // a port of which MAME drops every code: it will have no input
  kIgnoredByOldMame, // a line old MAME ignored, written as the line reads
  kOptionLine,       // an option old MAME read from the file, kept as a comment
  kKeyLine,          // a key line that cannot become a remap, kept as a comment
  kLeftOutLine,      // a line for a setting MAME no longer has, not written
  kIncludeFile,      // an INI file old MAME read for a kind of control only
  kMergedCfg,        // a cfg file of the user's own, merged whole and kept
  kListNotMadeAnew,  // the list generator failed; the previous master list was used
  kListMadeAnew,     // the kept master list could not be used and was made anew
  kHashInMapping,    // a mapping whose port name or value holds a "#", kept as a comment
  kLeftFolder,       // a folder under the work folders' name, not provably ours, left as it was
};

struct ConversionNote {
  std::string file;  // the INI file's name
  int line = 0;      // its line, from 1; 0 for the whole file
  NoteKind kind = NoteKind::kReplacedName;
  std::string text;
};
using ConversionNotes = std::vector<ConversionNote>;
// Takes each note as it is found, so that none need be kept longer.
using NoteSink = std::function<void(ConversionNote)>;

inline constexpr const char* kNotesTitle = "Conversion Notes";
inline constexpr size_t kNotesInSummary = 10;

// "FILE:LINE: TEXT", or "FILE: TEXT" for the whole file
std::string NoteLine(const ConversionNote& note);

// The counts, the first notes and how many more there are.
std::string NotesSummary(const ConversionNotes& notes);

// Shows the notes in a box with the whole list as its details; nothing when
// there is none.
void ShowConversionNotes(Window& window, const ConversionNotes& notes);

}  // namespace brantel
