// The files the system keeps in its program folder (the settings file:
// engine/settings_file.h).
#pragma once

#include <string>

#include "engine/io/host_path.h"

namespace brantel {

inline std::string MasterListPath(const std::string& program_folder) {
  return JoinPath(program_folder, "masterlist.lst");
}
inline std::string ListGeneratorFolder(const std::string& program_folder) {
  return JoinPath(program_folder, "list generator");
}
inline std::string ListGeneratorProgram(const std::string& program_folder) {
  return JoinPath(ListGeneratorFolder(program_folder), "listgen.exe");
}
inline constexpr const char* kListGeneratorCommand = "listgen.exe -s -ctrlr";

}  // namespace brantel
