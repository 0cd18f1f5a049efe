// Most of MAME's -listxml output is lines that each hold one empty element
// the master list never reads (<rom .../>, <chip .../>, <device_ref .../>
// and the like). Expat would spend most of its time on them, time taken from
// MAME on a small machine, so they are blanked before parsing. A blanked line
// keeps its line end, so expat's line and column numbers stay those of
// MAME's output. A blanked line is not checked for well-formedness; nothing
// of it would reach the list.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace listgen {

class EmptyElementSieve {
 public:
  // Lines holding an empty element of one of these names are kept.
  explicit EmptyElementSieve(std::span<const std::string_view> kept_elements);

  // Takes the next piece of the output and returns its complete lines,
  // sifted; an unfinished last line waits for the next piece. The returned
  // text is valid until the next call.
  std::string_view Sift(std::string_view piece);

  // The unfinished last line of the output, unchanged.
  std::string_view Rest() const { return pending_; }

 private:
  bool IsDroppable(std::string_view content) const;
  void AppendSifted(std::string_view line);

  std::vector<std::string_view> kept_elements_;
  std::string pending_;  // the unfinished last line
  std::string sifted_;
};

}  // namespace listgen
