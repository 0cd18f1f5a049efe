#include "engine/mame_use.h"

#include <chrono>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>

#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/mame_location.h"
#include "engine/io/stop_request.h"
#include "engine/old_ini_reading.h"
#include "engine/text_rules.h"
#include "tools/mame_program.h"

namespace brantel {
namespace {

// As MAME's option reader and command line take a name with spaces.
std::string Quoted(const std::string& name) {
  return name.find_first_of(" \t") == std::string::npos ? name : "\"" + name + "\"";
}

std::string Joined(const std::vector<std::string>& parts, const std::string& between) {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : between) + part;
  return joined;
}

// MAME puts the value of each "$NAME" of a search path in its place.
std::string WithVariables(const std::string& text) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    size_t end = at + 1;
    const auto in_name = [&](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    while (text[at] == '$' && end < text.size() && in_name(text[end])) ++end;
    if (end == at + 1) {
      out += text[at++];
      continue;
    }
    const char* value = std::getenv(text.substr(at + 1, end - at - 1).c_str());
    out += value != nullptr ? value : "";
    at = end;
  }
  return out;
}

// A folder of one of MAME's search paths; a relative one lies in the folder
// MAME runs from, its own.
std::string SearchFolder(const std::string& entry, const std::string& mame_folder) {
  const std::filesystem::path folder = WithVariables(entry);
  if (folder.is_absolute()) return folder.string();
  std::string joined = (std::filesystem::path(mame_folder) / folder).lexically_normal().string();
  if (joined.size() > 1 && LastSeparator(joined) == joined.size() - 1) joined.pop_back();
  return joined;
}

bool SameFolder(const std::string& one, const std::string& other) {
  try {
    return RealFolderPath(one) == RealFolderPath(other);
  } catch (const IoError&) {
    return false;
  }
}

class TimedOut : public std::exception {};

// What MAME said, or why it could not be asked.
struct MameAnswer {
  std::optional<MameCtrlrSettings> settings;
  std::string why_not;
};

// MAME reads the mame.ini of the folder it runs from, so it is asked from
// its own; the current folder is given back after.
ProgramOutcome ShowConfigFrom(const std::string& program, const std::string& mame_folder) {
  const std::string before = CurrentDirectory();
  try {
    ChangeDriveAndDirectory(mame_folder);
  } catch (const IoError&) {
    // Asked from here instead: the search paths it prints still tell.
  }
  struct Back {
    const std::string& folder;
    ~Back() {
      try {
        ChangeDriveAndDirectory(folder);
      } catch (const IoError&) {
      }
    }
  } back{before};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kShowConfigSeconds);
  return RunAndWait(program, "mame -showconfig", 0, [&] {
    ThrowIfStopRequested();  // a window stays alive there, and says it is converting
    if (std::chrono::steady_clock::now() > deadline) throw TimedOut();
  }, 1 << 20);
}

MameAnswer AskMame(const std::string& mame_folder, const std::string& executable) {
  const std::string program = FindMameProgram(mame_folder, TrimSpaces(executable));
  if (program.empty()) return {std::nullopt, "it was not found"};
  ProgramOutcome outcome;
  try {
    outcome = ShowConfigFrom(program, HostPath(mame_folder));
  } catch (const TimedOut&) {
    return {std::nullopt, "it did not answer within " + std::to_string(kShowConfigSeconds) + " seconds"};
  } catch (const std::exception&) {
    return {std::nullopt, "asking it was stopped"};
  }
  if (!outcome.started) return {std::nullopt, "it could not be started"};
  if (!outcome.succeeded) return {std::nullopt, "mame -showconfig " + outcome.description};
  std::optional<MameCtrlrSettings> settings = ReadShownConfig(outcome.output);
  if (!settings) return {std::nullopt, "mame -showconfig named no ctrlrpath"};
  return {std::move(settings), ""};
}

// The mame.ini MAME reads first: in the first folder of its inipath.
std::string UsersMameIni(const MameCtrlrSettings& settings, const std::string& mame_folder) {
  const std::vector<std::string> folders = Split(settings.inipath, ';');
  if (folders.empty() || folders[0].empty()) return "mame.ini";
  return DisplayPath(JoinPath(SearchFolder(folders[0], mame_folder), "mame.ini"));
}

std::vector<std::string> AsMameSaid(const MameCtrlrSettings& settings, const std::string& folder,
                                    const std::string& mame_folder, const std::string& folder_name) {
  const bool named = !settings.ctrlr.empty() && NamesControllerFolder(settings.ctrlr, folder_name);
  bool in_path = false;
  std::string first;  // a file of the new file's name in a folder MAME looks in before
  for (const std::string& entry : Split(settings.ctrlrpath, ';')) {
    if (entry.empty()) continue;
    const std::string searched = SearchFolder(entry, mame_folder);
    if (SameFolder(searched, folder)) {
      in_path = true;
      break;
    }
    const std::string earlier = JoinPath(searched, folder_name + ".cfg");
    if (first.empty() && !FileNameIfPresent(earlier).empty()) first = earlier;
  }
  const std::string shown = DisplayPath(folder);
  if (in_path && named && !first.empty()) {
    return {"MAME does not use it yet: it loads " + DisplayPath(first) + " instead, found first along its ctrlrpath",
            "For MAME to use it, rename that file, or put " + shown + " before its folder in ctrlrpath"};
  }
  if (in_path && named) {
    return {"MAME already uses it: its ctrlrpath holds " + shown + " and its ctrlr names " + Quoted(folder_name)};
  }
  std::vector<std::string> missing, lines;
  std::string one_run = "-ctrlr " + Quoted(folder_name);
  if (!in_path) {
    missing.push_back("its ctrlrpath (" + settings.ctrlrpath + ") does not hold " + shown);
    lines.push_back("ctrlrpath " + Quoted(shown + (settings.ctrlrpath.empty() ? "" : ";" + settings.ctrlrpath)));
    one_run = "-ctrlrpath " + Quoted(shown) + " " + one_run;
  }
  if (!named) {
    missing.push_back(settings.ctrlr.empty() ? "it has no ctrlr set" : "its ctrlr names " + Quoted(settings.ctrlr));
    lines.push_back("ctrlr " + Quoted(folder_name));
  }
  return {"MAME does not use it yet: " + Joined(missing, " and "),
          "For MAME to use it, put " + std::string(lines.size() == 1 ? "the line " : "the lines ") +
              Joined(lines, " and ") + " in " + UsersMameIni(settings, mame_folder) + ", or start MAME with " +
              one_run};
}

// What the mame.ini files tell, when MAME itself cannot be asked.
std::string AsMameIniFilesTell(const std::string& mame_folder, const std::string& folder_name,
                               const std::string& guess) {
  std::string unread;
  for (const std::string& mame_ini : MameIniFiles(mame_folder)) {
    if (FileNameIfPresent(mame_ini).empty()) continue;
    try {
      const std::optional<std::string> ctrlr = CtrlrValue(mame_ini);
      if (ctrlr && NamesControllerFolder(*ctrlr, folder_name)) {
        return "MAME probably uses it: the ctrlr line of " + DisplayPath(mame_ini) + " names " + Quoted(folder_name) +
               guess;
      }
    } catch (const IoError& error) {
      unread += std::string(" (") + error.what() + ")";
    }
  }
  return "For MAME to use it, set ctrlr " + Quoted(folder_name) + " in mame.ini, or start MAME with -ctrlr " +
         Quoted(folder_name) + unread + guess;
}

std::vector<std::string> HowMameUses(const std::string& combined_file, const std::string& mame_path,
                                     const std::string& executable, const std::string& folder_name) {
  const std::string mame_folder = HostPath(mame_path);
  const MameAnswer answer = AskMame(mame_path, executable);
  if (answer.settings) return AsMameSaid(*answer.settings, FolderOfFile(combined_file), mame_folder, folder_name);
  return {AsMameIniFilesTell(mame_path, folder_name,
                             " (a guess: MAME itself could not be asked, as " + answer.why_not + ")")};
}

}  // namespace

std::optional<std::string> CtrlrValue(const std::string& mame_ini) {
  std::optional<std::string> value;
  for (LineReader ini(mame_ini, LineReader::Marks::kHonour, {kMameIniLineLimit, kMameIniSizeLimit}); !ini.AtEnd();) {
    const std::string line = ini.ReadLine();
    const OldIniReading reading = ReadAsOldMame(line);
    if (reading.name == "ctrlr" && HasValue(reading)) value = std::string(reading.value);
  }
  return value;
}

std::optional<MameCtrlrSettings> ReadShownConfig(const std::string& shown) {
  MameCtrlrSettings settings;
  bool has_path = false;
  for (const std::string& line : Split(RemoveChars(shown, "\r"), '\n')) {
    const OldIniReading reading = ReadAsOldMame(line);
    if (reading.name == "ctrlrpath") {
      settings.ctrlrpath = reading.value;
      has_path = true;
    } else if (reading.name == "ctrlr") {
      settings.ctrlr = reading.value;
    } else if (reading.name == "inipath") {
      settings.inipath = reading.value;
    }
  }
  if (!has_path) return std::nullopt;
  return settings;
}

std::vector<std::string> HowMameUsesTheFile(const std::string& combined_file, const std::string& mame_path,
                                            const std::string& executable, const std::string& folder_name) {
  std::vector<std::string> lines = {"The new controller file is " + DisplayPath(combined_file)};
  try {
    for (std::string& line : HowMameUses(combined_file, mame_path, executable, folder_name)) {
      lines.push_back(std::move(line));
    }
  } catch (const std::bad_alloc&) {
    lines.push_back("Whether MAME uses it could not be told: not enough memory");
  } catch (const std::exception& error) {
    lines.push_back(std::string("Whether MAME uses it could not be told: ") + error.what());
  }
  return lines;
}

std::optional<MameCtrlrSettings> AskMameSettings(const std::string& mame_folder, const std::string& program) {
  return AskMame(mame_folder, program).settings;
}

std::string MameSearchFolder(const std::string& entry, const std::string& mame_folder) {
  return SearchFolder(entry, mame_folder);
}

}  // namespace brantel
