#include "engine/mame_use.h"

#include <optional>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/mame_location.h"
#include "engine/old_ini_reading.h"

namespace brantel {
namespace {

// The value of the last "ctrlr" line of a mame.ini, which is the one MAME
// keeps; none when there is no such line.
std::optional<std::string> CtrlrValue(const std::string& mame_ini) {
  std::optional<std::string> value;
  for (LineReader ini(mame_ini, LineReader::Marks::kHonour); !ini.AtEnd();) {
    const OldIniReading reading = ReadAsOldMame(ini.ReadLine());
    if (reading.name == "ctrlr" && HasValue(reading)) value = reading.value;
  }
  return value;
}

// As MAME's option reader and command line take a name with spaces.
std::string Quoted(const std::string& name) {
  return name.find_first_of(" \t") == std::string::npos ? name : "\"" + name + "\"";
}

}  // namespace

std::vector<std::string> HowMameUsesTheFile(const std::string& combined_file, const std::string& mame_path,
                                            const std::string& folder_name) {
  std::vector<std::string> lines = {"The new controller file is " + DisplayPath(combined_file)};
  std::string unread;
  for (const std::string& mame_ini : MameIniFiles(mame_path)) {
    if (FileNameIfPresent(mame_ini).empty()) continue;
    try {
      const std::optional<std::string> ctrlr = CtrlrValue(mame_ini);
      if (ctrlr && NamesControllerFolder(*ctrlr, folder_name)) {
        lines.push_back("MAME already uses it: the ctrlr line of " + DisplayPath(mame_ini) + " names " +
                        Quoted(folder_name));
        return lines;
      }
    } catch (const IoError& error) {
      unread += std::string(" (") + error.what() + ")";
    }
  }
  lines.push_back("For MAME to use it, set ctrlr " + Quoted(folder_name) + " in mame.ini, or start MAME with -ctrlr " +
                  Quoted(folder_name) + unread);
  return lines;
}

}  // namespace brantel
