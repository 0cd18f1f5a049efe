// The well-formedness check of a document as its bytes are written: MAME
// refuses a controller file that is not well-formed, so Convert may only
// replace the old one with a document that passes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace brantel {

class WellFormedCheck {
 public:
  // Throws std::bad_alloc when there is no memory for a parser.
  WellFormedCheck();
  ~WellFormedCheck();
  WellFormedCheck(const WellFormedCheck&) = delete;
  WellFormedCheck& operator=(const WellFormedCheck&) = delete;

  // Returns false once the document is known not to be well-formed.
  bool Feed(std::string_view bytes);

  // Where the parser stopped, in bytes fed, once Feed has returned false.
  std::uint64_t FailedAt() const;

  // Ends the document. Empty when it is well-formed, otherwise the parser's
  // words.
  std::string Finish();
  // True when the parser stopped for want of memory, not at a fault of the
  // document.
  bool OutOfMemory() const;

 private:
  struct Parser;
  std::unique_ptr<Parser> document_;
};

}  // namespace brantel
