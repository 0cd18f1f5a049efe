// How MAME picks up the new combined file, for the completion message, and
// what would make it: MAME itself is asked with -showconfig.
#pragma once

#include <atomic>
#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/mame_ini_text.h"
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
  std::string shown;      // all that -showconfig printed
};

// The settings in the text -showconfig printed; none when it names no
// ctrlrpath (not MAME, or not the MAME this is made for).
std::optional<MameCtrlrSettings> ReadShownConfig(const std::string& shown);

// A path of MAME's search paths as MAME opens it: a leading "~" followed by
// a separator (or alone) is the home folder, "${NAME}" and "$NAME" the
// environment variable's value (nothing when it is not set); on Windows
// "%NAME%" instead, kept as it is when not set.
std::string AsMameExpands(const std::string& path);

// How long MAME may take to print its settings before it is ended.
inline constexpr int kShowConfigSeconds = 10;

// What MAME said, or why it could not be asked.
struct MameAnswer {
  std::optional<MameCtrlrSettings> settings;
  std::string why_not;
};

// "mame -showconfig", asked from MAME's own folder (where it reads its
// mame.ini) on a thread of its own from the moment this is made, so that
// MAME's start costs no time of its own. Destroyed before its answer, or
// once asked to stop, it ends MAME at once; after kShowConfigSeconds it ends
// MAME and answers why.
class MameQuestion {
 public:
  MameQuestion(const std::string& mame_path, const std::string& executable);
  ~MameQuestion();
  MameQuestion(const MameQuestion&) = delete;
  MameQuestion& operator=(const MameQuestion&) = delete;

  // Waits for the answer, calling `while_waiting` (when given) every 50 ms
  // meanwhile; what it throws ends MAME and goes on.
  const MameAnswer& Answer(const WhileWaiting& while_waiting = {});
  // The same, but what `while_waiting` throws ends MAME and is the answer's
  // reason: for when the new file is in place and a Cancel cannot undo it.
  const MameAnswer& AnswerOrWhyNot(const WhileWaiting& while_waiting);

 private:
  MameAnswer Ask(const std::string& mame_path, const std::string& executable);

  std::atomic<bool> stop_{false};
  std::future<MameAnswer> pending_;
  std::optional<MameAnswer> answer_;
};

// The MAME setup "Use it in MAME" makes: the options set in the mame.ini
// MAME reads first.
struct MameIniChange {
  std::string mame_ini;        // in the first folder of MAME's inipath
  std::string read_until_now;  // the mame.ini MAME read before, when another one; "" when none or the same
  std::vector<MameIniOption> options;
};

// What the completion says of MAME and the new file.
struct MameUse {
  std::vector<std::string> lines;       // one fact a line, the file's place first
  bool uses_it = false;                 // MAME said it loads the file
  std::optional<MameIniChange> change;  // what would make MAME use it, when MAME said
};

// The new file's full path, then that MAME already uses it (MAME, asked
// with -showconfig, looks in the new file's folder first and its ctrlr names
// the old folder) or what is missing and the lines for mame.ini that set it.
// When MAME could not be asked, its mame.ini files are read instead and the
// lines say that they are a guess. Never throws: the new file is in place,
// whatever these lines can tell.
MameUse HowMameUsesTheFile(const std::string& combined_file, const MameAnswer& answer, const std::string& mame_path,
                           const std::string& folder_name);

// The mame.ini MAME reads first, by the inipath it printed, relative folders
// taken from `mame_path`.
std::string FirstMameIni(const MameCtrlrSettings& settings, const std::string& mame_path);
// The folder of FirstMameIni.
std::string FirstIniFolder(const MameCtrlrSettings& settings, const std::string& mame_path);

// The folders of MAME's ctrlrpath as MAME opens them, in its order.
std::vector<std::string> CtrlrFolders(const MameCtrlrSettings& settings, const std::string& mame_path);

// MAME's settings as the program `program` prints them with -showconfig,
// asked from `mame_folder` as MAME reads the mame.ini of the folder it runs
// from (kShowConfigSeconds at most). Nothing when it cannot be started, fails,
// or names no ctrlrpath.
std::optional<MameCtrlrSettings> AskMameSettings(const std::string& mame_folder, const std::string& program);

// A folder of one of MAME's search paths as MAME takes it: variables put in,
// a relative one inside `mame_folder`.
std::string MameSearchFolder(const std::string& entry, const std::string& mame_folder);

}  // namespace brantel
