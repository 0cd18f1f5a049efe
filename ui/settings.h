// The settings file "brantel.cfg" in the program folder: the three texts and
// the check box of the window, one per line.
#pragma once

#include <string>

#include "engine/window.h"

namespace brantel {

// Fills the window from the settings file when it is present, gives empty
// texts their defaults, points File1 at the folder name and makes the MAME
// path end in "\". Never fails: every failure inside is absorbed.
void LoadSettings(Window& window, const std::string& program_folder);

// Writes all four lines. Throws IoError naming the file when it cannot.
void SaveSettings(Window& window, const std::string& program_folder);

}  // namespace brantel
