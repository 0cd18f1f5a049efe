// The window's side of the settings file (engine/settings_file.h): the three
// texts and the check box.
#pragma once

#include <optional>
#include <string>

#include "engine/window.h"

namespace brantel {

// Fills the window from the settings file when it is present, gives empty
// texts their defaults, points File1 at the old folder they name and makes the MAME
// path end in "\". Never fails: every failure inside is absorbed.
void LoadSettings(Window& window, const std::string& program_folder);

// The numeric value of a settings line rounded to an integer, halves to the
// even neighbour: an optional sign, digits, an optional "." and fraction
// digits, up to the first character that does not fit (no number reads as 0).
// Nothing when the result lies outside the 16-bit range.
std::optional<int> RoundedNumericValue(const std::string& text);

// Writes all four lines. Throws IoError naming the file when it cannot.
void SaveSettings(const Window& window, const std::string& program_folder);

}  // namespace brantel
