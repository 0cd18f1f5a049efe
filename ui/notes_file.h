// The notes dialog's "Save...": the conversion notes as a text file.
#pragma once

#include <string>

namespace brantel {

// One note a line, each ended by CR LF as MAME's own text files are, the
// file replaced in one step (never left half-written). Throws IoError naming
// the file when it cannot be written.
void SaveNotesFile(const std::string& path, const std::string& notes);

// The name "Save..." offers: "FOLDER conversion notes.txt" for the old
// folder `folder_name` (as typed: quotes and spaces around it dropped).
std::string NotesFileName(const std::string& folder_name);

}  // namespace brantel
