#include "engine/xml_check.h"

#include <expat.h>

#include <cerrno>
#include <cstdio>

#include "engine/io/io_error.h"
#include "engine/io/open_file.h"
#include "engine/io/stop_request.h"

namespace brantel {

struct WellFormedCheck::Parser {
  struct Free {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
  };
  std::unique_ptr<XML_ParserStruct, Free> parser{XML_ParserCreate(nullptr)};
  bool failed = false;

  // The documents checked are our own, so the salt that guards expat's hash
  // tables against hostile input need not cost a system call.
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

void WellFormedCheck::Feed(std::string_view bytes) { document_->Feed(bytes, false); }

std::string WellFormedCheck::Finish() {
  document_->Feed("", true);
  return document_->failed ? document_->Complaint() : "";
}

bool IsWellFormedSection(const std::string& path) {
  FileHandle file = OpenFile(path, OpenMode::kRead, "Could not open the file for reading");
  WellFormedCheck check;
  // Element content: wrapped in one element it must parse alone.
  check.Feed("<section>");
  std::string buffer(1 << 16, '\0');
  size_t length;
  while ((length = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
    ThrowIfStopRequested();
    check.Feed({buffer.data(), length});
  }
  if (std::ferror(file.get())) throw IoError("Could not read", path, SystemReason(errno));
  check.Feed("</section>");
  return check.Finish().empty();
}

}  // namespace brantel
