#include "engine/io/mame_location.h"

namespace brantel {

std::string FirstStartMamePath() { return "e:\\mame\\"; }
std::string FirstStartExecutable() { return "mame.exe"; }
std::string DefaultMamePath() { return "C:\\mame\\"; }
std::string DefaultExecutable() { return "mame.exe"; }

std::vector<std::string> MameIniFiles(const std::string& mame_folder) { return {mame_folder + "mame.ini"}; }

}  // namespace brantel
