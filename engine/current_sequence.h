// The sequence text of an old INI line made into one that MAME 0.251 reads
// as old MAME read it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/conversion_notes.h"

namespace brantel {

// The old names one INI file had replaced: nothing the user need act on, so
// they are told in one note for the file.
class RenameTally {
 public:
  void Add(const std::string& old_name, const std::string& current);
  // Nothing when no name was replaced.
  std::optional<ConversionNote> Note(const std::string& file) const;

 private:
  struct Pair {
    std::string old_name;
    std::string current;
    size_t count;
  };
  std::vector<Pair> pairs_;  // in the order first met
  size_t total_ = 0;
};

// How the notes on a sequence name its port: made only when there is a note.
using PortLabel = std::function<std::string()>;

// Old code names become the current ones (counted in `renames`) and tokens
// MAME can crash on are left out; every other word stays as written. The
// result is appended to `text`, so that a long one is not copied into a line
// once more. What MAME will still not take is added to `notes`
// (without file and line), naming `port`: a port that will have no input at
// all gets one note, not one a token.
void CurrentSequence(const PortLabel& port, std::string_view sequence, std::string& text, ConversionNotes& notes,
                     RenameTally& renames);

// The one code token of `sequence` made current, or nothing when the text is
// not one code that MAME 0.251 reads (and cannot crash on).
std::optional<std::string> CurrentSingleCode(const std::string& sequence);

}  // namespace brantel
