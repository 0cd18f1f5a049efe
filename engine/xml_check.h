// The well-formedness check of a document as its bytes are written: MAME
// refuses a controller file that is not well-formed, so Convert may only
// replace the old one with a document that passes. Each section is also
// checked on its own, so a failure names the files that caused it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brantel {

class WellFormedCheck {
 public:
  WellFormedCheck();
  ~WellFormedCheck();
  WellFormedCheck(const WellFormedCheck&) = delete;
  WellFormedCheck& operator=(const WellFormedCheck&) = delete;

  void Feed(std::string_view bytes);
  // The bytes fed from here to EndSection came from the file `source`.
  void BeginSection(std::string source);
  void EndSection();

  // Ends the document. Empty when it is well-formed, otherwise the reason:
  // the files whose sections are not well-formed, and the parser's words.
  std::string Finish();

 private:
  struct Parser;
  std::unique_ptr<Parser> document_;
  std::unique_ptr<Parser> section_;
  std::string section_source_;
  std::vector<std::string> broken_sources_;
};

}  // namespace brantel
