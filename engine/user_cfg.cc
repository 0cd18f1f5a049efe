#include "engine/user_cfg.h"

#include <expat.h>

#include <cerrno>
#include <exception>
#include <memory>
#include <vector>

#include "engine/entity_check.h"
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

// MAME's own cfg files nest a handful of levels; MAME 0.251 crashes on a file
// nested 200,000 deep.
constexpr int kMaxLevels = 1000;

bool IsNamespaceDeclaration(std::string_view attribute) {
  return attribute == "xmlns" || attribute.starts_with("xmlns:");
}

// Writes the `system` elements the parser reports one after another, noting
// where each lies. Expat is C: nothing may be thrown through it, so a failure
// stops the parser and is thrown once it has returned.
class SectionWriter {
 public:
  SectionWriter(XML_Parser parser, const std::string& cfg_path, LinePrinter& out,
                const std::function<void(const UserSystemPlace&)>& found)
      : parser_(parser), cfg_path_(cfg_path), out_(out), found_(found) {}

  // Only the `system` elements directly inside a root `mameconfig` are
  // sections, as MAME reads its own cfg files.
  void Start(const char* name, const char** attributes) {
    Guard([&] {
      if (++level_ > kMaxLevels) {
        Refuse("its elements are nested more than " + std::to_string(kMaxLevels) +
               " levels deep, deeper than any cfg file MAME writes");
      }
      CheckEntities();
      if (level_ == 1) {
        root_ = name;
        if (root_ == "mameconfig") KeepNamespaceDeclarations(attributes);
        return;
      }
      if (depth_ == 0) {
        if (level_ != 2 || root_ != "mameconfig" || std::string_view(name) != "system") return;
        BeginSection(attributes);
      } else {
        CloseStartTag();
      }
      ++depth_;
      line_ += '<';
      line_ += name;
      for (const char** attribute = attributes; *attribute != nullptr; attribute += 2) {
        AppendAttribute(attribute[0], attribute[1]);
      }
      if (depth_ == 1) CarryNamespaceDeclarations(attributes);
      start_tag_open_ = true;
    });
  }

  void End(const char* name) {
    Guard([&] {
      --level_;
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

  // A general entity the parser could not expand: its text would be lost
  // without a word.
  void SkippedEntity(const char* name) {
    Guard([&] { Refuse(UndefinedEntityReason(name)); });
  }

  // Returns false, which stops the parser.
  bool ExternalEntity(std::string_view context, const char* system_id) {
    Guard([&] {
      Refuse("it uses the entity &" + std::string(context.substr(0, context.find('\f'))) +
             ";, whose text lies in another file (" + system_id + "), which is not read");
    });
    return false;
  }

  void DeclaredEntity(const char* name, const char* text, int length) {
    Guard([&] { entities_.Declared(name, text == nullptr ? "" : std::string(text, static_cast<size_t>(length))); });
  }

  // The file names a DTD elsewhere or refers to a parameter entity: from now
  // on the parser leaves undefined entities to us.
  void NotStandalone() { entities_.NotStandalone(); }

  void RethrowFailure() {
    if (failure_) std::rethrow_exception(failure_);
  }

  const std::string& root() const { return root_; }

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

  [[noreturn]] void Refuse(const std::string& reason) const {
    throw IoError("Could not merge the cfg file", cfg_path_, reason + "; nothing was replaced");
  }

  static std::string UndefinedEntityReason(std::string_view name) {
    return "it uses the entity &" + std::string(name) + ";, which is not defined in the file itself";
  }

  // The start tag as written: only there are the references in its
  // attribute values still to be seen.
  void CheckEntities() const {
    std::string undefined = level_ == 1 ? entities_.UndefinedInDeclared() : "";
    const int count = XML_GetCurrentByteCount(parser_);
    int offset = 0;
    int size = 0;
    const char* input = XML_GetInputContext(parser_, &offset, &size);
    if (undefined.empty() && count > 0) {  // 0: a tag from an entity's text
      if (input == nullptr || offset + count > size) Refuse("the XML parser does not show its start tags as written");
      undefined = entities_.UndefinedIn({input + offset, static_cast<size_t>(count)});
    }
    if (!undefined.empty()) Refuse(UndefinedEntityReason(undefined));
  }

  void KeepNamespaceDeclarations(const char** attributes) {
    for (const char** attribute = attributes; *attribute != nullptr; attribute += 2) {
      if (IsNamespaceDeclaration(attribute[0])) namespaces_.emplace_back(attribute[0], attribute[1]);
    }
  }

  // A copied system keeps the prefixes it uses bound: the declarations of
  // the root it leaves, unless it makes its own.
  void CarryNamespaceDeclarations(const char** attributes) {
    for (const auto& [name, value] : namespaces_) {
      bool own = false;
      for (const char** attribute = attributes; *attribute != nullptr; attribute += 2) own |= name == attribute[0];
      if (!own) AppendAttribute(name.c_str(), value.c_str());
    }
  }

  void AppendAttribute(const char* name, const char* value) {
    line_ += ' ';
    line_ += name;
    line_ += "=\"" + XmlEscapedText(value) + '"';
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
  const std::string& cfg_path_;
  LinePrinter& out_;
  const std::function<void(const UserSystemPlace&)>& found_;
  std::string system_name_;
  std::uint64_t offset_ = 0;
  std::uint64_t written_ = 0;  // bytes given to out_
  std::string line_;
  int depth_ = 0;  // within the current system element; 0 outside
  int level_ = 0;  // within the file: 1 in the root element
  std::string root_;
  std::vector<std::pair<std::string, std::string>> namespaces_;  // declared on the root
  EntityCheck entities_;
  bool start_tag_open_ = false;
  std::exception_ptr failure_;
};

void SetEntityHandlers(XML_Parser parser) {
  XML_SetSkippedEntityHandler(parser, [](void* data, const XML_Char* name, int parameter_entity) {
    if (!parameter_entity) static_cast<SectionWriter*>(data)->SkippedEntity(name);
  });
  XML_SetExternalEntityRefHandler(parser, [](XML_Parser self, const XML_Char* context, const XML_Char*,
                                             const XML_Char* system_id, const XML_Char*) {
    return static_cast<int>(
        static_cast<SectionWriter*>(XML_GetUserData(self))->ExternalEntity(context == nullptr ? "" : context, system_id));
  });
  XML_SetEntityDeclHandler(parser, [](void* data, const XML_Char* name, int parameter_entity, const XML_Char* value,
                                      int length, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
    if (!parameter_entity) static_cast<SectionWriter*>(data)->DeclaredEntity(name, value, length);
  });
  XML_SetNotStandaloneHandler(parser, [](void* data) {
    static_cast<SectionWriter*>(data)->NotStandalone();
    return 1;
  });
}

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
  SetEntityHandlers(parser);
}

[[noreturn]] void ThrowNotWellFormed(XML_Parser parser, const std::string& cfg_path) {
  throw IoError("Could not merge the cfg file", cfg_path,
                std::string("it is not well-formed XML (") + XML_ErrorString(XML_GetErrorCode(parser)) +
                    " at line " + std::to_string(XML_GetCurrentLineNumber(parser)) + "); nothing was replaced");
}

}  // namespace

std::string SplitUserCfg(const std::string& cfg_path, LinePrinter& out,
                         const std::function<void(const UserSystemPlace&)>& found) {
  FileHandle file = OpenFile(cfg_path, OpenMode::kRead, "Could not open the file for reading");
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
  if (!parser) throw IoError("Could not merge the cfg file", cfg_path, "Not enough memory for an XML parser");
  SectionWriter writer(parser.get(), cfg_path, out, found);
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
  return writer.root();
}

}  // namespace brantel
