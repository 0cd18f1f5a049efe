#include "tools/listgen/mame_version.h"

#include <algorithm>

#include "tools/listgen/mame_pipe.h"

namespace listgen {

std::string MameVersion(const std::string& mame_program) {
  constexpr std::size_t kKept = 4096;
  MameOutput mame(mame_program, "-version");
  std::string text;
  char buffer[kKept];
  for (std::size_t length; (length = mame.Read(buffer, sizeof buffer)) > 0;) {
    text.append(buffer, std::min(length, kKept - std::min(kKept, text.size())));
  }
  mame.Wait();
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

}  // namespace listgen
