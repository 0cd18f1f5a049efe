#include "engine/conversion_notes.h"

#include <algorithm>
#include <array>

namespace brantel {
namespace {

struct KindName {
  NoteKind kind;
  NoteGroup group;
  const char* one;
  const char* many;
};

// In the order of NoteKind. A new kind names its group here.
constexpr auto kKindNames = std::to_array<KindName>({
    {NoteKind::kReplacedName, NoteGroup::kChanged, "file with old names replaced", "files with old names replaced"},
    {NoteKind::kLeftOutToken, NoteGroup::kNotApplied, "token left out", "tokens left out"},
    {NoteKind::kDroppedToken, NoteGroup::kNotApplied, "token MAME drops", "tokens MAME drops"},
    {NoteKind::kNeverFires, NoteGroup::kNotApplied, "token that can never fire", "tokens that can never fire"},
    {NoteKind::kUnknownPortType, NoteGroup::kNotApplied, "unknown port type", "unknown port types"},
    {NoteKind::kSkippedFile, NoteGroup::kNotApplied, "file skipped", "files skipped"},
    {NoteKind::kNoInput, NoteGroup::kNotApplied, "port with no input", "ports with no input"},
    {NoteKind::kIgnoredByOldMame, NoteGroup::kNotApplied, "line old MAME ignored", "lines old MAME ignored"},
    {NoteKind::kOptionLine, NoteGroup::kNotApplied, "option line", "option lines"},
    {NoteKind::kKeyLine, NoteGroup::kNotApplied, "key line kept as a comment", "key lines kept as comments"},
    {NoteKind::kLeftOutLine, NoteGroup::kNotApplied, "line left out", "lines left out"},
    {NoteKind::kIncludeFile, NoteGroup::kNotApplied, "include file", "include files"},
    {NoteKind::kMergedCfg, NoteGroup::kChanged, "cfg file of your own merged", "cfg files of your own merged"},
    // The list the sections were ordered by may be out of date.
    {NoteKind::kListNotMadeAnew, NoteGroup::kNotApplied, "master list not made anew", "master lists not made anew"},
    {NoteKind::kListMadeAnew, NoteGroup::kChanged, "master list made anew", "master lists made anew"},
    {NoteKind::kHashInMapping, NoteGroup::kNotApplied, "mapping with a \"#\" kept as a comment",
     "mappings with a \"#\" kept as comments"},
    // Nothing of the user's was touched.
    {NoteKind::kLeftFolder, NoteGroup::kChanged, "folder left as it was", "folders left as they were"},
    {NoteKind::kKeptAside, NoteGroup::kChanged, "earlier file of yours kept aside", "earlier files of yours kept aside"},
    {NoteKind::kNotAMapping, NoteGroup::kNotApplied, "line not read as a mapping", "lines not read as mappings"},
    {NoteKind::kNoPort, NoteGroup::kNotApplied, "file that gave no port", "files that gave no port"},
});

constexpr bool InKindOrder() {
  for (size_t index = 0; index < kKindNames.size(); ++index) {
    if (static_cast<size_t>(kKindNames[index].kind) != index) return false;
  }
  return true;
}
static_assert(InKindOrder(), "one row for each NoteKind, in its order");

struct GroupName {
  NoteGroup group;
  const char* word;     // in a note line of its own
  const char* heading;  // above the group's notes
};

// The order in which the groups are shown: what needs a look first.
constexpr std::array<GroupName, 2> kGroups = {{
    {NoteGroup::kNotApplied, "not applied", "Not applied by MAME"},
    {NoteGroup::kChanged, "changed", "Changed so that current MAME reads it"},
}};

const KindName* NameOf(NoteKind kind) {
  const auto index = static_cast<size_t>(kind);
  return index < kKindNames.size() ? &kKindNames[index] : nullptr;
}

const GroupName& GroupNameOf(NoteGroup group) {
  return group == NoteGroup::kNotApplied ? kGroups[0] : kGroups[1];
}

std::string Counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

size_t CountOf(const ConversionNotes& notes, auto&& which) {
  return static_cast<size_t>(std::count_if(notes.begin(), notes.end(), which));
}

std::string KindCounts(const ConversionNotes& notes, NoteGroup group) {
  std::string counts;
  for (const KindName& name : kKindNames) {
    if (name.group != group) continue;
    const size_t count = CountOf(notes, [&](const ConversionNote& note) { return note.kind == name.kind; });
    if (count == 0) continue;
    counts += (counts.empty() ? "" : ", ") + Counted(count, name.one, name.many);
  }
  return counts;
}

std::string Place(const ConversionNote& note) {
  return note.line == 0 ? note.file + ": " : note.file + ":" + std::to_string(note.line) + ": ";
}

}  // namespace

std::string QuotedInNote(std::string_view text) {
  const auto starts_character = [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; };
  const size_t characters = static_cast<size_t>(std::count_if(text.begin(), text.end(), starts_character));
  if (characters <= kQuotedLength) return std::string(text);
  size_t cut = 0;
  for (size_t kept = 0; kept <= kQuotedLength; ++cut) kept += starts_character(text[cut]) ? 1 : 0;
  --cut;  // at the start of the first character left out
  return std::string(text.substr(0, cut)) + "... (" + std::to_string(characters) + " characters)";
}

NoteGroup GroupOf(NoteKind kind) {
  const KindName* name = NameOf(kind);
  return name != nullptr ? name->group : NoteGroup::kNotApplied;
}

std::string NoteLine(const ConversionNote& note) {
  return Place(note) + GroupNameOf(GroupOf(note.kind)).word + ": " + note.text;
}

bool IsOnOldFolderFile(const ConversionNote& note) {
  switch (note.kind) {
    case NoteKind::kListNotMadeAnew:
    case NoteKind::kListMadeAnew:
    case NoteKind::kLeftFolder:
    case NoteKind::kKeptAside:
      return false;
    default:
      return true;
  }
}

bool AsksForALook(const ConversionNote& note) {
  return note.kind == NoteKind::kNotAMapping || note.kind == NoteKind::kNoPort;
}

std::string NotesHeading(const ConversionNotes& notes) {
  std::string heading;
  for (const GroupName& group : kGroups) {
    const size_t count = CountOf(notes, [&](const ConversionNote& note) { return GroupOf(note.kind) == group.group; });
    if (count == 0) continue;
    heading += (heading.empty() ? "" : "\n") + std::string(group.heading) + ": " + Counted(count, "note", "notes") +
               " (" + KindCounts(notes, group.group) + ").";
  }
  return heading;
}

std::string NotesDetails(const ConversionNotes& notes) {
  std::string details;
  for (const GroupName& group : kGroups) {
    std::string lines;
    for (const ConversionNote& note : notes) {
      if (GroupOf(note.kind) == group.group) lines += Place(note) + note.text + "\n";
    }
    if (lines.empty()) continue;
    details += (details.empty() ? "" : "\n") + std::string(group.heading) + ":\n" + lines;
  }
  return details;
}

void ShowConversionNotes(Window& window, const ConversionNotes& notes) {
  if (notes.empty()) return;
  const bool all_changed = std::all_of(notes.begin(), notes.end(), [](const ConversionNote& note) {
    return GroupOf(note.kind) == NoteGroup::kChanged;
  });
  window.ShowMessageBoxWithDetails(NotesHeading(notes), kNotesTitle, NotesDetails(notes),
                                   all_changed ? MessageStyle::kInformation : MessageStyle::kWarning);
}

}  // namespace brantel
