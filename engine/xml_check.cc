#include "engine/xml_check.h"

#include <expat.h>

#include <new>

namespace brantel {

struct WellFormedCheck::Parser {
  struct Free {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
  };
  std::unique_ptr<XML_ParserStruct, Free> parser{XML_ParserCreate(nullptr)};
  bool failed = false;

  // The documents checked are our own, so the salt that guards expat's hash
  // tables against hostile input need not cost a system call.
  Parser() {
    if (!parser) throw std::bad_alloc();
    XML_SetHashSalt(parser.get(), 0x62726e74UL);
  }

  void Feed(std::string_view bytes, bool last) {
    if (failed) return;
    // Fed in pieces that always fit expat's int length.
    constexpr size_t kPiece = 1 << 24;
    do {
      size_t size = bytes.size() < kPiece ? bytes.size() : kPiece;
      bool final_piece = last && size == bytes.size();
      if (XML_Parse(parser.get(), bytes.data(), static_cast<int>(size), final_piece) != XML_STATUS_OK) {
        failed = true;
        return;
      }
      bytes.remove_prefix(size);
    } while (!bytes.empty());
  }

  std::string Complaint() const { return XML_ErrorString(XML_GetErrorCode(parser.get())); }
};

WellFormedCheck::WellFormedCheck() : document_(std::make_unique<Parser>()) {}
WellFormedCheck::~WellFormedCheck() = default;

bool WellFormedCheck::Feed(std::string_view bytes) {
  document_->Feed(bytes, false);
  return !document_->failed;
}

std::uint64_t WellFormedCheck::FailedAt() const {
  return static_cast<std::uint64_t>(XML_GetCurrentByteIndex(document_->parser.get()));
}

bool WellFormedCheck::OutOfMemory() const {
  return XML_GetErrorCode(document_->parser.get()) == XML_ERROR_NO_MEMORY;
}

std::string WellFormedCheck::Finish() {
  document_->Feed("", true);
  return document_->failed ? document_->Complaint() : "";
}

}  // namespace brantel
