// The entities of a user's cfg file whose text is not in the file itself.
// The parser refuses them only while the file names no DTD elsewhere and
// refers to no parameter entity; otherwise it drops them without a word, and
// in attribute values without telling at all, so they are looked for here.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace brantel {

class EntityCheck {
 public:
  // Fed from the parser's entity declaration and not-standalone handlers.
  void Declared(std::string name, std::string text) { declared_.try_emplace(std::move(name), std::move(text)); }
  void NotStandalone() { unchecked_ = true; }

  // The name of an entity that `text` (a start tag as written) refers to and
  // the file does not define, once the parser no longer checks; empty when
  // none.
  std::string UndefinedIn(std::string_view text) const;
  // The same for the texts of the entities the file declares: elements may
  // come from them, and the tags of those are not seen as written.
  std::string UndefinedInDeclared() const;

 private:
  std::map<std::string, std::string, std::less<>> declared_;  // general entities, by name: their text
  bool unchecked_ = false;
};

}  // namespace brantel
