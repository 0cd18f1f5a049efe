#include "engine/xml_check.h"

#include <expat.h>

#include "engine/io/io_error.h"

namespace brantel {

struct WellFormedCheck::Parser {
  struct Free {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
  };
  std::unique_ptr<XML_ParserStruct, Free> parser{XML_ParserCreate(nullptr)};
  bool failed = false;

  // The documents checked are our own, so the salt that guards expat's hash
  // tables against hostile input need not cost a system call per section.
  Parser() { XML_SetHashSalt(parser.get(), 0x62726e74UL); }

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

void WellFormedCheck::Feed(std::string_view bytes) {
  document_->Feed(bytes, false);
  if (section_) section_->Feed(bytes, false);
}

void WellFormedCheck::BeginSection(std::string source) {
  EndSection();
  section_ = std::make_unique<Parser>();
  section_source_ = std::move(source);
  // A section is element content: wrapped in one element it must parse alone.
  section_->Feed("<section>", false);
}

void WellFormedCheck::EndSection() {
  if (!section_) return;
  section_->Feed("</section>", true);
  if (section_->failed) broken_sources_.push_back(section_source_);
  section_.reset();
}

std::string WellFormedCheck::Finish() {
  EndSection();
  document_->Feed("", true);
  if (!document_->failed) return "";
  std::string reason = "it would not be well-formed XML (" + document_->Complaint() + ")";
  for (size_t i = 0; i < broken_sources_.size(); ++i) {
    if (i == 0) reason += broken_sources_.size() == 1 ? " because of the cfg file " : " because of the cfg files ";
    reason += (i == 0 ? "\"" : ", \"") + DisplayPath(broken_sources_[i]) + "\"";
  }
  return reason + "; nothing was replaced";
}

}  // namespace brantel
