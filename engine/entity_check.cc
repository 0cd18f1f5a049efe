#include "engine/entity_check.h"

namespace brantel {
namespace {

bool IsPredefined(std::string_view name) {
  return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
}

}  // namespace

// Each &name; in the text, character references left out.
std::string EntityCheck::UndefinedIn(std::string_view text) const {
  if (!unchecked_) return "";
  for (size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
    const size_t end = text.find_first_of("; \t\r\n&<'\"", at + 1);
    if (end == std::string_view::npos) break;
    const std::string_view name = text.substr(at + 1, end - at - 1);
    if (text[end] != ';' || name.starts_with('#') || IsPredefined(name) || declared_.contains(name)) continue;
    return std::string(name);
  }
  return "";
}

std::string EntityCheck::UndefinedInDeclared() const {
  for (const auto& [name, text] : declared_) {
    if (std::string undefined = UndefinedIn(text); !undefined.empty()) return undefined;
  }
  return "";
}

}  // namespace brantel
