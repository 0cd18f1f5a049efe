#include "tools/listgen/listxml_parser.h"

#include <expat.h>

#include <cstring>
#include <new>

namespace listgen {
namespace {

struct ParserDeleter {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};
using ParserOwner = std::unique_ptr<XML_ParserStruct, ParserDeleter>;

const char* Attribute(const XML_Char** attributes, const char* name) {
  for (; *attributes != nullptr; attributes += 2) {
    if (std::strcmp(attributes[0], name) == 0) return attributes[1];
  }
  return nullptr;
}

std::string AttributeText(const XML_Char** attributes, const char* name) {
  const char* value = Attribute(attributes, name);
  return value != nullptr ? value : "";
}

bool AttributeIs(const XML_Char** attributes, const char* name, const char* expected) {
  const char* value = Attribute(attributes, name);
  return value != nullptr && std::strcmp(value, expected) == 0;
}

bool IsMachineElement(const XML_Char* name) {
  // Older builds call it <game>.
  return std::strcmp(name, "machine") == 0 || std::strcmp(name, "game") == 0;
}

}  // namespace

ListXmlError::ListXmlError(const std::string& reason, unsigned long line, unsigned long column)
    : std::runtime_error("MAME's -listxml output is not well-formed XML: " + reason + " at line " +
                         std::to_string(line) + ", column " + std::to_string(column)),
      line_(line),
      column_(column) {}

struct ListXmlParser::State {
  MachineHandler on_machine;
  ParserOwner parser;
  Machine machine;
  std::string build;
  bool in_machine = false;
  int depth = 0;
  int machine_depth = 0;
  std::string* text = nullptr;  // the field whose character data is collected
  std::exception_ptr handler_failure;

  void StartElement(const XML_Char* name, const XML_Char** attributes);
  void EndElement();
  void CollectTextInto(std::string& field);
  void Check(XML_Status status);

  static void XMLCALL OnStart(void* user_data, const XML_Char* name, const XML_Char** attributes) {
    static_cast<State*>(user_data)->StartElement(name, attributes);
  }
  static void XMLCALL OnEnd(void* user_data, const XML_Char*) { static_cast<State*>(user_data)->EndElement(); }
  static void XMLCALL OnText(void* user_data, const XML_Char* text, int length) {
    static_cast<State*>(user_data)->text->append(text, static_cast<std::size_t>(length));
  }
};

void ListXmlParser::State::StartElement(const XML_Char* name, const XML_Char** attributes) {
  ++depth;
  if (depth == 1) build = AttributeText(attributes, "build");
  if (!in_machine) {
    if (!IsMachineElement(name)) return;
    in_machine = true;
    machine_depth = depth;
    machine.Clear();
    machine.name = AttributeText(attributes, "name");
    machine.source_file = AttributeText(attributes, "sourcefile");
    machine.clone_of = AttributeText(attributes, "cloneof");
    machine.rom_of = AttributeText(attributes, "romof");
    machine.is_bios = AttributeIs(attributes, "isbios", "yes");
    machine.is_device = AttributeIs(attributes, "isdevice", "yes");
    machine.is_mechanical = AttributeIs(attributes, "ismechanical", "yes");
    machine.runnable = !AttributeIs(attributes, "runnable", "no");
    return;
  }
  if (depth != machine_depth + 1) return;  // only the machine's own children count
  if (std::strcmp(name, "description") == 0) {
    CollectTextInto(machine.description);
  } else if (std::strcmp(name, "year") == 0) {
    CollectTextInto(machine.year);
  } else if (std::strcmp(name, "manufacturer") == 0) {
    CollectTextInto(machine.manufacturer);
  } else if (std::strcmp(name, "input") == 0) {
    machine.has_input = true;
    machine.players = AttributeText(attributes, "players");
  }
}

void ListXmlParser::State::CollectTextInto(std::string& field) {
  field.clear();
  text = &field;
  // Character data is only wanted here; without a handler expat skips the
  // rest of the document's text faster.
  XML_SetCharacterDataHandler(parser.get(), OnText);
}

void ListXmlParser::State::EndElement() {
  if (text != nullptr) {
    text = nullptr;
    XML_SetCharacterDataHandler(parser.get(), nullptr);
  }
  if (in_machine && depth == machine_depth) {
    in_machine = false;
    try {
      on_machine(machine);
    } catch (...) {
      // An exception must not cross expat's C frames: keep it and stop.
      handler_failure = std::current_exception();
      XML_StopParser(parser.get(), XML_FALSE);
    }
  }
  --depth;
}

void ListXmlParser::State::Check(XML_Status status) {
  if (handler_failure) std::rethrow_exception(handler_failure);
  if (status == XML_STATUS_OK) return;
  XML_Parser p = parser.get();
  throw ListXmlError(XML_ErrorString(XML_GetErrorCode(p)), XML_GetCurrentLineNumber(p),
                     XML_GetCurrentColumnNumber(p));
}

ListXmlParser::ListXmlParser(MachineHandler on_machine) : state_(std::make_unique<State>()) {
  state_->on_machine = std::move(on_machine);
  state_->parser.reset(XML_ParserCreate(nullptr));
  if (!state_->parser) throw std::bad_alloc();
  XML_SetUserData(state_->parser.get(), state_.get());
  XML_SetElementHandler(state_->parser.get(), State::OnStart, State::OnEnd);
}

ListXmlParser::~ListXmlParser() = default;

void ListXmlParser::Parse(std::string_view piece, bool last) {
  state_->Check(XML_Parse(state_->parser.get(), piece.data(), static_cast<int>(piece.size()), last));
}

const std::string& ListXmlParser::Build() const { return state_->build; }

}  // namespace listgen
