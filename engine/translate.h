// Translation of one old controller INI file into an intermediate cfg file:
// a `system` element named after the file whose `input` element holds a port
// block for every mapping line and a comment for every other non-empty line.
#pragma once

#include <string>
#include <vector>

#include "engine/conversion_notes.h"

namespace brantel {

// The lines of the intermediate cfg for the INI lines given, each line as it
// stands in the file (indent included, without CR LF). What MAME will not
// take as written is added to `notes`, by line, without the file's name.
std::vector<std::string> IntermediateLines(const std::string& system_name,
                                           const std::vector<std::string>& ini_lines,
                                           ConversionNotes* notes = nullptr);

// Reads folder\name (an entry of the "*.ini" listing) and writes folder\<name
// less "ini">cfg, replacing any file of that name. The system name is the
// entry less its last four characters. Throws IoError naming the file that
// could not be read or written. Returns the notes on the file.
ConversionNotes TranslateIniFile(const std::string& folder, const std::string& name);

}  // namespace brantel
