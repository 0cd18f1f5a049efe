// How MAME picks up the new combined file, for the completion message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/run_and_wait.h"

namespace brantel {

// The value of the last "ctrlr" line of the mame.ini file, which is the one
// MAME keeps; none when there is no such line. Only an ordinary file is
// read, and only its first kMameIniSizeLimit bytes, each line cut at
// kMameIniLineLimit: a FIFO, a device or an endless file never holds the
// window up. Throws IoError naming the file when it cannot be read.
inline constexpr size_t kMameIniLineLimit = 64 * 1024;
inline constexpr std::uint64_t kMameIniSizeLimit = 4 * 1024 * 1024;
std::optional<std::string> CtrlrValue(const std::string& mame_ini);

// Where MAME looks for controller files and which it loads, as its own
// -showconfig prints them.
struct MameCtrlrSettings {
  std::string ctrlrpath;  // folders separated by ";", as MAME spells them
  std::string ctrlr;      // empty when none is set
  std::string inipath;    // where its own mame.ini is looked for
};

// The settings in the text -showconfig printed; none when it names no
// ctrlrpath (not MAME, or not the MAME this is made for).
std::optional<MameCtrlrSettings> ReadShownConfig(const std::string& shown);

// How long MAME may take to print its settings before it is ended.
inline constexpr int kShowConfigSeconds = 10;

// The lines the completion message adds: the new file's full path, then that
// MAME already uses it (MAME itself, asked with -showconfig, looks in the
// new file's folder and its ctrlr names the old folder) or what is missing
// and how to set it. When MAME cannot be asked, its mame.ini files are read
// instead and the lines say that they are a guess. Never throws: the new
// file is in place, whatever these lines can tell.
std::vector<std::string> HowMameUsesTheFile(const std::string& combined_file, const std::string& mame_path,
                                            const std::string& executable, const std::string& folder_name);

// MAME's settings as the program `program` prints them with -showconfig,
// asked from `mame_folder` as MAME reads the mame.ini of the folder it runs
// from (kShowConfigSeconds at most). Nothing when it cannot be started, fails,
// or names no ctrlrpath.
std::optional<MameCtrlrSettings> AskMameSettings(const std::string& mame_folder, const std::string& program);

// A folder of one of MAME's search paths as MAME takes it: variables put in,
// a relative one inside `mame_folder`.
std::string MameSearchFolder(const std::string& entry, const std::string& mame_folder);

}  // namespace brantel
