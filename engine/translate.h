// Translation of one old controller INI file into an intermediate cfg file:
// a `system` element named after the file whose `input` element holds a port
// block for every mapping line and a comment for every other non-empty line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/conversion_notes.h"

namespace brantel {

// The lines of the intermediate cfg for the INI lines given, each line as it
// stands in the file (indent included, without CR LF). What MAME will not
// take as written is added to `notes`, by line, without the file's name.
std::vector<std::string> IntermediateLines(const std::string& system_name,
                                           const std::vector<std::string>& ini_lines,
                                           ConversionNotes* notes = nullptr);

// The system name of an entry of the "*.ini" listing: the entry less its
// last four characters. A default.ini in any letter case gives "default",
// since MAME knows the default section by that name only.
std::string SystemName(const std::string& name);
bool IsDefaultIni(const std::string& name);

// Takes the intermediate cfg lines of one section as they are made, each as
// it stands in the section (indent included, without CR LF); a line is valid
// only during the call.
class IntermediateSink {
 public:
  virtual ~IntermediateSink() = default;
  virtual void Line(std::string_view line) = 0;
};

// An "*_ini" line of an INI file: `option` named the INI file `file` (as
// written, with or without ".ini"); `current` is MAME 0.251's option for the
// job, empty when there is none.
struct IniInclude {
  std::string option;
  std::string current;
  std::string file;
};

// Reads folder\name (an entry of the "*.ini" listing; a UTF-8 or UTF-16
// file with its byte-order mark is read as text), once, a line at a time,
// and gives `section` its intermediate lines as they are made. Throws
// IoError naming the file that could not be read, and std::runtime_error
// when a stop is requested between its lines. Each note on the file goes to
// `notes` as its line is translated. Returns the INI files it names.
std::vector<IniInclude> TranslateIniFile(const std::string& folder, const std::string& name,
                                         IntermediateSink& section,
                                         const NoteSink& notes = [](ConversionNote) {});

// A note on every entry of `entries` that some "*_ini" line names: its
// section applies to no machine.
void NoteIncludedIniFiles(const std::vector<std::string>& entries, const std::vector<IniInclude>& includes,
                          const NoteSink& notes);

}  // namespace brantel
