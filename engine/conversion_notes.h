// Notes for the user on what the conversion changed so that current MAME
// reads the INI files as old MAME did, and on what MAME will not apply:
// found while the files are translated, and either shown at once or kept
// for one box at the end of Convert, as the window prefers.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/window.h"

namespace brantel {

// Each kind belongs to one NoteGroup, given beside its name in the table of
// conversion_notes.cc.
enum class NoteKind {
  kReplacedName,     // an old code name became the current one
  kLeftOutToken,     // a token MAME can crash on was not written
  kDroppedToken,     // a token MAME does not know, written as it was
  kNeverFires,       // a token MAME reads but that can never fire, written
  kUnknownPortType,  // a port type MAME does not know, written as it was
  kSkippedFile,      // a file left out: one no file operation can open, or a cfg not rooted in mameconfig
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
  kKeptAside,        // an earlier file of the new file's name, not ours, kept under another name
  kNotAMapping,      // a line that names an input but was not read as a mapping, kept as a comment
  kNoPort,           // an INI file none of whose lines gave MAME a port or a remap
};

// What a note asks of the user: a look at what MAME will not apply (shown
// first, with a warning), or nothing, as it tells of a change made so that
// MAME reads the line as old MAME did.
enum class NoteGroup {
  kNotApplied,  // "not applied by MAME"
  kChanged,     // "changed so that current MAME reads it"
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

NoteGroup GroupOf(NoteKind kind);

// A text of the user's (a value, a name, a whole line) as a note quotes it:
// whole up to kQuotedLength characters, otherwise its start, "..." and its
// length, so that one huge line cannot make a note, or the box showing it,
// huge. Never cuts a UTF-8 character in two.
inline constexpr size_t kQuotedLength = 200;
std::string QuotedInNote(std::string_view text);

// "FILE:LINE: GROUP: TEXT", or "FILE: GROUP: TEXT" for the whole file, where
// GROUP is "not applied" or "changed": one note on a line of its own.
std::string NoteLine(const ConversionNote& note);

// True for a note on a file of the old folder (an INI file, a cfg file of
// the user's), whose name is then all `note.file` holds; false for one on the
// master list or on a file beside the old folder, named by its path.
bool IsOnOldFolderFile(const ConversionNote& note);

// True for a note on a line, or a file, that may hold a mapping the
// conversion did not read: the old folder is worth keeping until the user
// has looked at it.
bool AsksForALook(const ConversionNote& note);

// The heading of the notes box: a line for each group that has notes,
// "not applied by MAME" first, with its count of each kind.
std::string NotesHeading(const ConversionNotes& notes);

// Every note, one a line, "not applied by MAME" first, each group under a
// line that names it.
std::string NotesDetails(const ConversionNotes& notes);

// Shows the notes in a box, the heading above the whole list, with a
// warning when MAME will not apply something; nothing when there is none.
void ShowConversionNotes(Window& window, const ConversionNotes& notes);

}  // namespace brantel
