// The sequence text of an old INI line made into one that MAME 0.251 reads
// as old MAME read it.
#pragma once

#include <string>

#include "engine/conversion_notes.h"

namespace brantel {

// Old code names become the current ones and tokens MAME can crash on are
// left out; every other word stays as written. Each change, and each token
// MAME will still not take, is added to `notes` (without file and line),
// naming `port`.
std::string CurrentSequence(const std::string& port, const std::string& sequence, ConversionNotes& notes);

}  // namespace brantel
