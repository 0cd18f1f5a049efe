// Streaming reader of MAME's -listxml output: it hands over one machine at a
// time, so memory stays flat however large the output.
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/listgen/machine.h"

namespace listgen {

// The output is not well-formed XML; line and column are expat's (the line
// counted from 1, the column from 0).
class ListXmlError : public std::runtime_error {
 public:
  ListXmlError(const std::string& reason, unsigned long line, unsigned long column);
  unsigned long line() const { return line_; }
  unsigned long column() const { return column_; }

 private:
  unsigned long line_;
  unsigned long column_;
};

// The elements whose names or content the parser reads; it needs no other.
inline constexpr std::string_view kElementsRead[] = {"machine", "game",         "description",
                                                     "year",    "manufacturer", "input"};

class ListXmlParser {
 public:
  using MachineHandler = std::function<void(const Machine&)>;

  // `on_machine` is called at the end of every <machine> or <game> element.
  explicit ListXmlParser(MachineHandler on_machine);
  ~ListXmlParser();
  ListXmlParser(const ListXmlParser&) = delete;
  ListXmlParser& operator=(const ListXmlParser&) = delete;

  // Parses the next piece of the document; `last` marks its end. Throws
  // ListXmlError, or whatever `on_machine` threw.
  void Parse(std::string_view piece, bool last);

  // The root element's "build" attribute: the same text as MAME's -version,
  // so the version needs no run of its own. Empty until the root is read.
  const std::string& Build() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace listgen
