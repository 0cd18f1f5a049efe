#include "engine/conversion_notes.h"

#include <algorithm>
#include <array>

namespace brantel {
namespace {

struct KindCount {
  NoteKind kind;
  const char* one;
  const char* many;
};

constexpr std::array<KindCount, 17> kCountNames = {{
    {NoteKind::kReplacedName, "file with old names replaced", "files with old names replaced"},
    {NoteKind::kLeftOutToken, "token left out", "tokens left out"},
    {NoteKind::kDroppedToken, "token MAME drops", "tokens MAME drops"},
    {NoteKind::kNeverFires, "token that can never fire", "tokens that can never fire"},
    {NoteKind::kUnknownPortType, "unknown port type", "unknown port types"},
    {NoteKind::kSkippedFile, "file skipped", "files skipped"},
    {NoteKind::kNoInput, "port with no input", "ports with no input"},
    {NoteKind::kIgnoredByOldMame, "line old MAME ignored", "lines old MAME ignored"},
    {NoteKind::kOptionLine, "option line", "option lines"},
    {NoteKind::kKeyLine, "key line kept as a comment", "key lines kept as comments"},
    {NoteKind::kLeftOutLine, "line left out", "lines left out"},
    {NoteKind::kIncludeFile, "include file", "include files"},
    {NoteKind::kMergedCfg, "cfg file of your own merged", "cfg files of your own merged"},
    {NoteKind::kListNotMadeAnew, "master list not made anew", "master lists not made anew"},
    {NoteKind::kListMadeAnew, "master list made anew", "master lists made anew"},
    {NoteKind::kHashInMapping, "mapping with a \"#\" kept as a comment", "mappings with a \"#\" kept as comments"},
    {NoteKind::kLeftFolder, "folder left as it was", "folders left as they were"},
}};

std::string Counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string Counts(const ConversionNotes& notes) {
  std::string counts;
  for (const KindCount& name : kCountNames) {
    const auto count = static_cast<size_t>(std::count_if(
        notes.begin(), notes.end(), [&](const ConversionNote& note) { return note.kind == name.kind; }));
    if (count == 0) continue;
    counts += (counts.empty() ? "" : ", ") + Counted(count, name.one, name.many);
  }
  return counts;
}

// The notes that are not about the INI files' own lines.
bool IsAboutTheRun(const ConversionNote& note) {
  return note.kind == NoteKind::kMergedCfg || note.kind == NoteKind::kListNotMadeAnew ||
         note.kind == NoteKind::kListMadeAnew || note.kind == NoteKind::kLeftFolder;
}

}  // namespace

std::string NoteLine(const ConversionNote& note) {
  if (note.line == 0) return note.file + ": " + note.text;
  return note.file + ":" + std::to_string(note.line) + ": " + note.text;
}

std::string NotesSummary(const ConversionNotes& notes) {
  const bool all_about_the_run = std::all_of(notes.begin(), notes.end(), IsAboutTheRun);
  std::string summary = (all_about_the_run ? "What this conversion did besides translating the INI files: "
                                           : "MAME 0.251 does not take everything in the INI files as it was written: ") +
                        Counted(notes.size(), "note", "notes") + " (" + Counts(notes) + ").\n";
  for (size_t index = 0; index < notes.size() && index < kNotesInSummary; ++index) {
    summary += "\n" + NoteLine(notes[index]);
  }
  if (notes.size() > kNotesInSummary) summary += "\nand " + std::to_string(notes.size() - kNotesInSummary) + " more";
  return summary;
}

void ShowConversionNotes(Window& window, const ConversionNotes& notes) {
  if (notes.empty()) return;
  std::string details;
  for (const ConversionNote& note : notes) details += NoteLine(note) + "\n";
  window.ShowMessageBoxWithDetails(NotesSummary(notes), kNotesTitle, details);
}

}  // namespace brantel
