#include "engine/user_cfg.h"

#include <expat.h>

#include <cerrno>
#include <exception>
#include <memory>

#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/open_file.h"
#include "engine/xml_text.h"

namespace brantel {
namespace {

constexpr const char* kUserSectionExtension = ".xml";

struct ParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Writes the `system` elements the parser reports, each to a file of its own.
// Expat is C: nothing may be thrown through it, so a failure stops the parser
// and is thrown once it has returned.
class SectionWriter {
 public:
  SectionWriter(XML_Parser parser, const WorkFolder& work, size_t& count)
      : parser_(parser), work_(work), count_(count) {}

  void Start(const char* name, const char** attributes) {
    Guard([&] {
      if (depth_ == 0) {
        if (std::string_view(name) != "system") return;
        BeginSection(attributes);
      } else {
        CloseStartTag();
      }
      ++depth_;
      line_ += '<';
      line_ += name;
      for (const char** attribute = attributes; *attribute != nullptr; attribute += 2) {
        line_ += ' ';
        line_ += attribute[0];
        line_ += "=\"" + XmlEscapedText(attribute[1]) + '"';
      }
      start_tag_open_ = true;
    });
  }

  void End(const char* name) {
    Guard([&] {
      if (depth_ == 0) return;
      if (start_tag_open_) {
        line_ += "/>";
        start_tag_open_ = false;
      } else {
        line_ += "</";
        line_ += name;
        line_ += '>';
      }
      if (--depth_ == 0) EndSection();
    });
  }

  void Text(std::string_view text) {
    Guard([&] {
      if (depth_ == 0) return;
      CloseStartTag();
      AppendEscaped(text);
    });
  }

  void Comment(const char* text) {
    Guard([&] {
      if (depth_ == 0) return;
      CloseStartTag();
      line_ += "<!--";
      AppendLines(text);
      line_ += "-->";
    });
  }

  void Instruction(const char* target, const char* data) {
    Guard([&] {
      if (depth_ == 0) return;
      CloseStartTag();
      line_ += "<?";
      line_ += target;
      line_ += ' ';
      AppendLines(data);
      line_ += "?>";
    });
  }

  void RethrowFailure() {
    if (failure_) std::rethrow_exception(failure_);
  }

  std::vector<UserSection>& sections() { return sections_; }

 private:
  template <typename Step>
  void Guard(Step step) {
    if (failure_) return;
    try {
      step();
    } catch (...) {
      failure_ = std::current_exception();
      XML_StopParser(parser_, XML_FALSE);
    }
  }

  void BeginSection(const char** attributes) {
    std::string system_name;
    for (const char** attribute = attributes; *attribute != nullptr; attribute += 2) {
      if (std::string_view(attribute[0]) == "name") system_name = attribute[1];
    }
    const std::string path = work_.FilePath(std::to_string(++count_) + kUserSectionExtension);
    out_ = std::make_unique<LineWriter>(path, LineWriter::InOwnFolder{});
    sections_.push_back({system_name, path});
  }

  void EndSection() {
    out_->Print(line_);
    line_.clear();
    out_->Close();
    out_.reset();
  }

  void CloseStartTag() {
    if (!start_tag_open_) return;
    line_ += '>';
    start_tag_open_ = false;
  }

  // The parser gives every line end as LF; the combined file's are CR LF.
  void NewLine() {
    out_->Print(line_);
    line_.clear();
  }

  void AppendLines(std::string_view text) {
    for (char c : text) {
      if (c == '\n') {
        NewLine();
      } else {
        line_ += c;
      }
    }
  }

  // Element text keeps its line ends; a CR can only come from a character
  // reference, and must stay one.
  void AppendEscaped(std::string_view text) {
    for (char c : text) {
      switch (c) {
        case '&': line_ += "&amp;"; break;
        case '<': line_ += "&lt;"; break;
        case '>': line_ += "&gt;"; break;
        case '\r': line_ += "&#13;"; break;
        case '\n': NewLine(); break;
        default: line_ += c;
      }
    }
  }

  XML_Parser parser_;
  const WorkFolder& work_;
  size_t& count_;
  std::vector<UserSection> sections_;
  std::unique_ptr<LineWriter> out_;
  std::string line_;
  int depth_ = 0;  // within the current system element; 0 outside
  bool start_tag_open_ = false;
  std::exception_ptr failure_;
};

void SetHandlers(XML_Parser parser, SectionWriter& writer) {
  XML_SetUserData(parser, &writer);
  XML_SetElementHandler(
      parser,
      [](void* data, const XML_Char* name, const XML_Char** attributes) {
        static_cast<SectionWriter*>(data)->Start(name, attributes);
      },
      [](void* data, const XML_Char* name) { static_cast<SectionWriter*>(data)->End(name); });
  XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
    static_cast<SectionWriter*>(data)->Text({text, static_cast<size_t>(length)});
  });
  XML_SetCommentHandler(parser,
                        [](void* data, const XML_Char* text) { static_cast<SectionWriter*>(data)->Comment(text); });
  XML_SetProcessingInstructionHandler(parser, [](void* data, const XML_Char* target, const XML_Char* text) {
    static_cast<SectionWriter*>(data)->Instruction(target, text);
  });
}

[[noreturn]] void ThrowNotWellFormed(XML_Parser parser, const std::string& cfg_path) {
  throw IoError("Could not merge the cfg file", cfg_path,
                std::string("it is not well-formed XML (") + XML_ErrorString(XML_GetErrorCode(parser)) +
                    " at line " + std::to_string(XML_GetCurrentLineNumber(parser)) + "); nothing was replaced");
}

}  // namespace

std::vector<UserSection> SplitUserCfg(const std::string& cfg_path, const WorkFolder& work, size_t& count) {
  FileHandle file = OpenFile(cfg_path, OpenMode::kRead, "Could not open the file for reading");
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
  if (!parser) throw IoError("Could not merge the cfg file", cfg_path, "Not enough memory for an XML parser");
  SectionWriter writer(parser.get(), work, count);
  SetHandlers(parser.get(), writer);
  std::string buffer(1 << 16, '\0');
  for (;;) {
    errno = 0;
    const size_t length = std::fread(buffer.data(), 1, buffer.size(), file.get());
    if (length == 0 && std::ferror(file.get())) throw IoError("Could not read", cfg_path, SystemReason(errno));
    const XML_Status status = XML_Parse(parser.get(), buffer.data(), static_cast<int>(length), length == 0);
    writer.RethrowFailure();
    if (status != XML_STATUS_OK) ThrowNotWellFormed(parser.get(), cfg_path);
    if (length == 0) return std::move(writer.sections());
  }
}

bool IsUserSectionFile(const std::string& path) {
  const std::string_view extension = kUserSectionExtension;
  return path.size() >= extension.size() && path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
}

}  // namespace brantel
