// The window's side of the settings file (engine/settings_file.h): the three
// texts and the check box.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/window.h"

namespace brantel {

// Fills the window from the settings file when it is present, gives empty
// texts their defaults, points File1 at the old folder they name and makes the MAME
// path end in "\". Without a saved folder name, the one the "ctrlr" entry of
// MAME's mame.ini names comes before the default (see OldFolderOfMameIni).
// Never fails: every failure inside is absorbed. A line cut
// for its length is told in `notes` when given (see ReadSettingsLines).
// Returns false when there is no settings file (a first start).
bool LoadSettings(Window& window, const std::string& program_folder, std::vector<std::string>* notes = nullptr);

// The numeric value of a settings line rounded to an integer, halves to the
// even neighbour: an optional sign, digits, an optional "." and fraction
// digits, up to the first character that does not fit (no number reads as 0).
// Nothing when the result lies outside the 16-bit range.
std::optional<int> RoundedNumericValue(const std::string& text);

// Writes all four lines. Throws IoError naming the file when it cannot.
void SaveSettings(const Window& window, const std::string& program_folder);

}  // namespace brantel
