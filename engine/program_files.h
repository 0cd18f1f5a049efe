// The files the system keeps in its program folder.
#pragma once

#include <string>

namespace brantel {

inline std::string SettingsFilePath(const std::string& program_folder) {
  return program_folder + "\\brantel.cfg";
}
inline std::string MasterListPath(const std::string& program_folder) {
  return program_folder + "\\masterlist.lst";
}
inline std::string ListGeneratorFolder(const std::string& program_folder) {
  return program_folder + "\\list generator\\";
}
inline std::string ListGeneratorProgram(const std::string& program_folder) {
  return ListGeneratorFolder(program_folder) + "listgen.exe";
}
inline constexpr const char* kListGeneratorCommand = "listgen.exe -s -ctrlr";

}  // namespace brantel
