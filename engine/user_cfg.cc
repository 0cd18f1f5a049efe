#include "engine/user_cfg.h"

#include <expat.h>

#include <cerrno>
#include <exception>
#include <memory>

#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/open_file.h"
#include "engine/io/stop_request.h"
#include "engine/xml_text.h"

namespace brantel {
namespace {

struct ParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Writes the `system` elements the parser reports one after another, noting
// where each lies. Expat is C: nothing may be thrown through it, so a failure
// stops the parser and is thrown once it has returned.
class SectionWriter {
 public:
  SectionWriter(XML_Parser parser, LinePrinter& out, const std::function<void(const UserSystemPlace&)>& found)
      : parser_(parser), out_(out), found_(found) {}

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
    system_name_.clear();
    for (const char** attribute = attributes; *attribute != nullptr; attribute += 2) {
      if (std::string_view(attribute[0]) == "name") system_name_ = attribute[1];
    }
    offset_ = written_;
  }

  // The last line's CR LF is the section copy's to write.
  void EndSection() {
    NewLine();
    found_({system_name_, offset_, written_ - 2 - offset_});
  }

  void CloseStartTag() {
    if (!start_tag_open_) return;
    line_ += '>';
    start_tag_open_ = false;
  }

  // The parser gives every line end as LF; the combined file's are CR LF.
  void NewLine() {
    out_.Print(line_);
    written_ += line_.size() + 2;
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
  LinePrinter& out_;
  const std::function<void(const UserSystemPlace&)>& found_;
  std::string system_name_;
  std::uint64_t offset_ = 0;
  std::uint64_t written_ = 0;  // bytes given to out_
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

void SplitUserCfg(const std::string& cfg_path, LinePrinter& out,
                  const std::function<void(const UserSystemPlace&)>& found) {
  FileHandle file = OpenFile(cfg_path, OpenMode::kRead, "Could not open the file for reading");
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
  if (!parser) throw IoError("Could not merge the cfg file", cfg_path, "Not enough memory for an XML parser");
  SectionWriter writer(parser.get(), out, found);
  SetHandlers(parser.get(), writer);
  std::string buffer(1 << 16, '\0');
  for (;;) {
    // A cfg file of a million systems takes seconds.
    ThrowIfStopRequested();
    errno = 0;
    const size_t length = std::fread(buffer.data(), 1, buffer.size(), file.get());
    if (length == 0 && std::ferror(file.get())) throw IoError("Could not read", cfg_path, SystemReason(errno));
    const XML_Status status = XML_Parse(parser.get(), buffer.data(), static_cast<int>(length), length == 0);
    writer.RethrowFailure();
    if (status != XML_STATUS_OK) ThrowNotWellFormed(parser.get(), cfg_path);
    if (length == 0) break;
  }
}

}  // namespace brantel
