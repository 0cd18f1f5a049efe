// The command line of the list generator.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace listgen {

struct Options {
  bool silent = false;           // -s: nothing on standard output
  bool controller_list = false;  // -ctrlr: make the controller master list
  bool new_list = false;         // -new: make it even when the kept one is up to date
  std::string mame_program;      // -mame PROGRAM: the MAME to ask; empty for the one brantel.cfg names
};

// Reads the arguments after the program name. Returns nothing when the
// command line holds an unknown option, "-mame" without a program after it,
// or asks for no list, so the caller shows the usage.
std::optional<Options> ParseOptions(std::span<const std::string> arguments);

// Several lines, each ending in "\n".
std::string_view UsageText();

}  // namespace listgen
