// The mistakes new users make in the texts that name the old folder: the
// MAME program given as the path to MAME, MAME's ctrlr folder given as it,
// and a whole path given as the folder name. Convert says what was meant
// beside "Directory Not Found!"; it never converts on such a guess.
#pragma once

#include <string>

namespace brantel {

// One line for each mistake the texts show, saying what to type instead;
// empty when none is found. `mame_path` is as Convert keeps it (ending in a
// separator), both texts without quotes.
std::string WhatWasMeant(const std::string& mame_path, const std::string& folder_name);

}  // namespace brantel
