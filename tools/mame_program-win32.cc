#include "engine/io/folder.h"
#include "tools/mame_program.h"

namespace brantel {

std::string FindMameProgram(const std::string& mame_path, const std::string& executable) {
  const std::string program = mame_path + executable;
  if (!FileNameIfPresent(program).empty()) return program;
  const size_t name = program.find_last_of("\\/");
  const bool has_extension = program.find('.', name == std::string::npos ? 0 : name) != std::string::npos;
  if (!has_extension && !FileNameIfPresent(program + ".exe").empty()) return program + ".exe";
  return "";
}

std::string MameProgramLookedFor(const std::string& mame_path, const std::string& executable) {
  return mame_path + executable;
}

}  // namespace brantel
