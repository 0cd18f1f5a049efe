#include "engine/current_sequence.h"

#include <vector>

#include "engine/mame_codes.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

ConversionNote Note(NoteKind kind, const std::string& port, const std::string& text) {
  return {"", 0, kind, "port " + port + ": " + text};
}

bool IsOperator(const std::string& word) {
  const std::string upper = UpperAscii(word);
  return upper == "OR" || upper == "NOT";
}

// The words of a sequence text that are no code: OR, NOT, DEFAULT, and NONE
// as the whole text.
bool IsNoCode(const std::string& word, bool whole_text) {
  return IsSequenceKeyword(word) || (whole_text && word == "NONE");
}

void NoteWhatMameDoes(const std::string& port, const std::string& token, CodeVerdict verdict,
                      ConversionNotes& notes) {
  if (verdict == CodeVerdict::kDropped) {
    notes.push_back(Note(NoteKind::kDroppedToken, port,
                         token + " is no code MAME 0.251 knows; it drops it (kept as written)"));
  } else if (verdict == CodeVerdict::kNeverFires) {
    notes.push_back(Note(NoteKind::kNeverFires, port,
                         token + " names an item no such device has in MAME 0.251; it can never fire (kept)"));
  } else if (verdict == CodeVerdict::kNoSuchDevice) {
    notes.push_back(Note(NoteKind::kNeverFires, port,
                         token + " names a device MAME 0.251 never has; it can never fire (kept)"));
  }
}

}  // namespace

// A token left out takes the operators written right before it along, as
// MAME does with a token it drops, and at the very start the ORs after it,
// so that what remains reads as the alternatives that were meant.
std::string CurrentSequence(const std::string& port, const std::string& sequence, ConversionNotes& notes) {
  const std::vector<std::string> words = Split(sequence, ' ');
  const bool whole_text = words.size() == 1;
  std::vector<std::string> kept;
  bool left_out_at_start = false;
  for (const std::string& word : words) {
    std::string token = word;
    if (!IsNoCode(word, whole_text)) {
      if (auto current = CurrentCodeName(word, whole_text)) {
        notes.push_back(Note(NoteKind::kReplacedName, port, "old name " + word + " replaced by " + *current));
        token = *current;
      }
    }
    if (IsNoCode(token, whole_text)) {
      if (!(left_out_at_start && kept.empty() && UpperAscii(token) == "OR")) kept.push_back(token);
      continue;
    }
    const CodeVerdict verdict = JudgeCodeToken(token);
    if (verdict == CodeVerdict::kNoDevice) {
      notes.push_back(Note(NoteKind::kLeftOutToken, port,
                           token + " left out: MAME 0.251 has no device 0 or below and can crash on it"));
      while (!kept.empty() && IsOperator(kept.back())) kept.pop_back();
      left_out_at_start = kept.empty();
      continue;
    }
    NoteWhatMameDoes(port, token, verdict, notes);
    kept.push_back(token);
  }
  std::string text;
  for (const std::string& word : kept) text += (text.empty() ? "" : " ") + word;
  return text;
}

}  // namespace brantel
