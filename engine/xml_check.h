// The well-formedness check of a document as its bytes are written: MAME
// refuses a controller file that is not well-formed, so Convert may only
// replace the old one with a document that passes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace brantel {

class WellFormedCheck {
 public:
  WellFormedCheck();
  ~WellFormedCheck();
  WellFormedCheck(const WellFormedCheck&) = delete;
  WellFormedCheck& operator=(const WellFormedCheck&) = delete;

  void Feed(std::string_view bytes);

  // Ends the document. Empty when it is well-formed, otherwise the parser's
  // words.
  std::string Finish();

 private:
  struct Parser;
  std::unique_ptr<Parser> document_;
};

// True when the file at `path` is well-formed as the content of one element,
// as a section of the combined file must be. Throws IoError naming it when it
// cannot be read.
bool IsWellFormedSection(const std::string& path);

}  // namespace brantel
