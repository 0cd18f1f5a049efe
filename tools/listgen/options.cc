#include "tools/listgen/options.h"

namespace listgen {

std::optional<Options> ParseOptions(std::span<const std::string> arguments) {
  Options options;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (argument == "-s") {
      options.silent = true;
    } else if (argument == "-ctrlr") {
      options.controller_list = true;
    } else if (argument == "-new") {
      options.new_list = true;
    } else if (argument == "-mame" && at + 1 < arguments.size() && !arguments[at + 1].empty()) {
      options.mame_program = arguments[++at];
    } else {
      return std::nullopt;
    }
  }
  // The controller master list is the only list this tool makes.
  if (!options.controller_list) return std::nullopt;
  return options;
}

std::string_view UsageText() {
  return "Usage: listgen [-s] [-new] [-mame PROGRAM] -ctrlr\n"
         "  -ctrlr  write the controller master list masterlist.lst from the\n"
         "          -listxml output of the MAME named in brantel.cfg, both in the\n"
         "          program folder above (the user's own folders when it cannot be\n"
         "          written); a list made from that same MAME is kept\n"
         "  -mame   ask the MAME program PROGRAM instead; brantel.cfg is not read\n"
         "  -new    make the list anew even when the kept one was made from that MAME\n"
         "  -s      silent: print nothing but errors\n";
}

}  // namespace listgen
