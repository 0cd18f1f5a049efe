#include "engine/current_sequence.h"

#include <algorithm>

#include "engine/mame_codes.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

constexpr size_t kRenamesNamed = 10;

ConversionNote Note(NoteKind kind, const PortLabel& port, const std::string& text) {
  return {"", 0, kind, "port " + port() + ": " + text};
}

bool EqualsUpper(std::string_view word, std::string_view upper) {
  return word.size() == upper.size() &&
         std::equal(word.begin(), word.end(), upper.begin(), [](char a, char b) {
           return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
         });
}

bool IsOperator(std::string_view word) { return EqualsUpper(word, "OR") || EqualsUpper(word, "NOT"); }

// The words of a sequence text that are no code: OR, NOT, DEFAULT, and NONE
// as the whole text.
bool IsNoCode(std::string_view word, bool whole_text) {
  return IsSequenceKeyword(word) || (whole_text && word == "NONE");
}

// The word in its current name; `renamed` holds it when it is not the word itself.
std::string_view CurrentWord(std::string_view word, bool whole_text, RenameTally& renames, std::string& renamed) {
  if (IsNoCode(word, whole_text)) return word;
  auto current = CurrentCodeName(word, whole_text);
  if (!current) return word;
  renames.Add(std::string(word), *current);
  renamed = std::move(*current);
  return renamed;
}

// The last word of `text` after `start`, words being separated by single spaces.
std::string_view LastWord(const std::string& text, size_t start) {
  const size_t space = text.rfind(' ');
  return std::string_view(text).substr(space == std::string::npos || space < start ? start : space + 1);
}

void DropLastWord(std::string& text, size_t start) {
  const size_t space = text.rfind(' ');
  text.erase(space == std::string::npos || space < start ? start : space);
}

void NoteWhatMameDoes(const PortLabel& port, std::string_view token, CodeVerdict verdict,
                      ConversionNotes& notes) {
  if (verdict == CodeVerdict::kDropped) {
    notes.push_back(Note(NoteKind::kDroppedToken, port,
                         QuotedInNote(token) + " is no code " + kCurrentMame + " knows; it drops it (kept as written)"));
  } else if (verdict == CodeVerdict::kNeverFires) {
    notes.push_back(Note(NoteKind::kNeverFires, port,
                         QuotedInNote(token) +
                             " names an item no such device has in " + kCurrentMame + "; it can never fire (kept)"));
  } else if (verdict == CodeVerdict::kNoSuchDevice) {
    notes.push_back(Note(NoteKind::kNeverFires, port,
                         QuotedInNote(token) + " names a device " + kCurrentMame + " never has; it can never fire (kept)"));
  }
}

// When MAME drops every code written, the port loses its input: that is
// what the user needs to hear, not each token.
void FoldIntoNoInput(const PortLabel& port, std::string_view text, ConversionNotes& line_notes) {
  const bool any_code = std::any_of(line_notes.begin(), line_notes.end(),
                                    [](const ConversionNote& note) { return note.kind == NoteKind::kDroppedToken; });
  if (!any_code) return;
  std::erase_if(line_notes, [](const ConversionNote& note) { return note.kind == NoteKind::kDroppedToken; });
  line_notes.push_back(Note(NoteKind::kNoInput, port,
                            std::string(kCurrentMame) + " knows no code in \"" + QuotedInNote(text) +
                                "\"; the port will have no input (kept as written)"));
}

}  // namespace

void RenameTally::Add(const std::string& old_name, const std::string& current) {
  ++total_;
  for (Pair& pair : pairs_) {
    if (pair.old_name == old_name && pair.current == current) {
      ++pair.count;
      return;
    }
  }
  if (pairs_.size() < kRenamesNamed + 1) pairs_.push_back({old_name, current, 1});
}

std::optional<ConversionNote> RenameTally::Note(const std::string& file) const {
  if (total_ == 0) return std::nullopt;
  std::string text = std::to_string(total_) + (total_ == 1 ? " old name" : " old names") +
                     " replaced by the current ones:";
  for (size_t index = 0; index < pairs_.size() && index < kRenamesNamed; ++index) {
    const Pair& pair = pairs_[index];
    text += (index == 0 ? " " : ", ") + pair.old_name + " by " + pair.current;
    if (pair.count > 1) text += " (" + std::to_string(pair.count) + ")";
  }
  if (pairs_.size() > kRenamesNamed) text += " and others";
  return ConversionNote{file, 0, NoteKind::kReplacedName, text};
}

// A token left out takes the operators written right before it along, as
// MAME does with a token it drops, and at the very start the ORs after it,
// so that what remains reads as the alternatives that were meant. The words
// are judged as views of `sequence`, kept words joined straight into `text`.
void CurrentSequence(const PortLabel& port, std::string_view sequence, std::string& text, ConversionNotes& notes,
                     RenameTally& renames) {
  const size_t text_start = text.size();
  if (sequence.empty()) return;
  const bool whole_text = sequence.find(' ') == std::string_view::npos;
  ConversionNotes line_notes;
  std::string renamed;
  bool left_out_at_start = false;
  bool any_read = false;
  size_t kept = 0;  // words kept, empty ones included
  const auto keep = [&](std::string_view token) {
    if (text.size() > text_start) text += ' ';
    text.append(token);
    ++kept;
  };
  for (size_t start = 0; start <= sequence.size();) {
    const size_t end = std::min(sequence.find(' ', start), sequence.size());
    const std::string_view word = sequence.substr(start, end - start);
    start = end + 1;
    const std::string_view token = CurrentWord(word, whole_text, renames, renamed);
    if (IsNoCode(token, whole_text)) {
      if (!(left_out_at_start && kept == 0 && EqualsUpper(token, "OR"))) keep(token);
      continue;
    }
    const CodeVerdict verdict = JudgeCodeToken(token);
    if (verdict == CodeVerdict::kNoDevice) {
      line_notes.push_back(Note(NoteKind::kLeftOutToken, port,
                                QuotedInNote(token) +
                                    " left out: " + kCurrentMame + " has no device 0 or below and can crash on it"));
      for (; kept > 0 && IsOperator(LastWord(text, text_start)); --kept) DropLastWord(text, text_start);
      left_out_at_start = kept == 0;
      continue;
    }
    any_read = any_read || verdict != CodeVerdict::kDropped;
    NoteWhatMameDoes(port, token, verdict, line_notes);
    keep(token);
  }
  if (!any_read) FoldIntoNoInput(port, std::string_view(text).substr(text_start), line_notes);
  for (ConversionNote& note : line_notes) notes.push_back(std::move(note));
}

std::optional<std::string> CurrentSingleCode(const std::string& sequence) {
  if (sequence.empty() || Contains(sequence, " ") || IsNoCode(sequence, true)) return std::nullopt;
  const std::string token = CurrentCodeName(sequence, false).value_or(sequence);
  const CodeVerdict verdict = JudgeCodeToken(token);
  if (verdict == CodeVerdict::kDropped || verdict == CodeVerdict::kNoDevice) return std::nullopt;
  return token;
}

}  // namespace brantel
