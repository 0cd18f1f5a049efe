#include "engine/mame_use.h"

#include <chrono>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

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

#ifndef _WIN32
std::string Variable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value != nullptr ? value : "";
}

bool InName(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
#endif

// A folder of one of MAME's search paths, as MAME opens the files in it: an
// empty entry or a relative one lies in the folder MAME runs from, its own.
std::string SearchFolder(const std::string& entry, const std::string& mame_folder) {
  const std::filesystem::path folder = AsMameExpands(entry);
  if (folder.is_absolute()) return WithoutTrailingSeparators(folder.string());
  return WithoutTrailingSeparators((std::filesystem::path(mame_folder) / folder).lexically_normal().string());
}

std::vector<std::string> SearchFolders(const std::string& search_path, const std::string& mame_path) {
  std::vector<std::string> folders;
  // MAME's own reading: an empty path is one empty entry.
  std::vector<std::string> entries = Split(search_path, ';');
  if (entries.empty()) entries.push_back("");
  for (const std::string& entry : entries) folders.push_back(SearchFolder(entry, HostPath(mame_path)));
  return folders;
}

bool SameFolder(const std::string& one, const std::string& other) {
  try {
    return RealFolderPath(one) == RealFolderPath(other);
  } catch (const IoError&) {
    return false;
  }
}

class TimedOut : public std::exception {};
class Stopped : public std::exception {};

// The mame.ini MAME reads until now: the first along its inipath.
std::string MameIniReadNow(const MameCtrlrSettings& settings, const std::string& mame_path) {
  for (const std::string& folder : SearchFolders(settings.inipath, mame_path)) {
    const std::string mame_ini = JoinPath(folder, "mame.ini");
    if (EntryExists(mame_ini)) return mame_ini;
  }
  return "";
}

MameIniChange ChangeFor(const MameCtrlrSettings& settings, const std::string& mame_path,
                        std::vector<MameIniOption> options) {
  MameIniChange change{FirstMameIni(settings, mame_path), MameIniReadNow(settings, mame_path), std::move(options)};
  if (change.read_until_now == change.mame_ini) change.read_until_now.clear();
  return change;
}

MameUse AsMameSaid(const MameCtrlrSettings& settings, const std::string& folder, const std::string& mame_path,
                   const std::string& folder_name) {
  const bool named = !settings.ctrlr.empty() && NamesControllerFolder(settings.ctrlr, folder_name);
  bool in_path = false;
  std::string first;  // a file of the new file's name in a folder MAME looks in before
  for (const std::string& searched : CtrlrFolders(settings, mame_path)) {
    if (SameFolder(searched, folder)) {
      in_path = true;
      break;
    }
    const std::string earlier = JoinPath(searched, folder_name + ".cfg");
    if (first.empty() && !FileNameIfPresent(earlier).empty()) first = earlier;
  }
  const std::string shown = DisplayPath(folder);
  if (in_path && named && first.empty()) {
    return {{"MAME already uses it: its ctrlrpath holds " + shown + " and its ctrlr names " + Quoted(folder_name)},
            true, std::nullopt};
  }
  MameUse use{{"MAME does not use it yet."}, false, std::nullopt};
  std::vector<MameIniOption> options;
  std::string one_run;
  if (!in_path || !first.empty()) {
    if (in_path) {
      use.lines.push_back("It loads " + DisplayPath(first) + " instead, found first along its ctrlrpath.");
    } else {
      use.lines.push_back("Its ctrlrpath (" + settings.ctrlrpath + ") does not hold " + shown + ".");
    }
    options.push_back({"ctrlrpath", shown + (settings.ctrlrpath.empty() ? "" : ";" + settings.ctrlrpath)});
    one_run = "-ctrlrpath " + Quoted(shown) + " ";
  }
  if (!named) {
    use.lines.push_back(settings.ctrlr.empty() ? "Its ctrlr is not set." : "Its ctrlr names " + Quoted(settings.ctrlr) + ".");
    options.push_back({"ctrlr", folder_name});
  }
  const std::string mame_ini = FirstMameIni(settings, mame_path);
  use.lines.push_back("For MAME to use it, " + std::string(options.size() == 1 ? "this line goes" : "these lines go") +
                      " in " + DisplayPath(mame_ini) + ":");
  for (const MameIniOption& option : options) use.lines.push_back(MameIniLine(option));
  use.lines.push_back("Or start MAME with " + one_run + "-ctrlr " + Quoted(folder_name));
  // A path MAME could not read back cannot go into mame.ini.
  if (MameIniCanHold(shown) && MameIniCanHold(folder_name)) use.change = ChangeFor(settings, mame_path, options);
  return use;
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

}  // namespace

std::string AsMameExpands(const std::string& path) {
  std::string out;
  size_t at = 0;
#ifdef _WIN32
  while (at < path.size()) {
    const size_t end = path[at] == '%' ? path.find('%', at + 1) : std::string::npos;
    const char* value = end == std::string::npos ? nullptr : std::getenv(path.substr(at + 1, end - at - 1).c_str());
    if (value == nullptr || end == at + 1) {
      out += path[at++];
      continue;
    }
    out += value;
    at = end + 1;
  }
#else
  if (!path.empty() && path[0] == '~' && (path.size() == 1 || path[1] == '/') && std::getenv("HOME") != nullptr) {
    out = Variable("HOME");
    at = 1;
  }
  while (at < path.size()) {
    if (path[at] != '$') {
      out += path[at++];
      continue;
    }
    ++at;
    if (at < path.size() && path[at] == '{') {
      const size_t close = path.find('}', at + 1);
      if (close == std::string::npos) {  // kept as written
        out += "$" + path.substr(at);
        break;
      }
      out += Variable(path.substr(at + 1, close - at - 1));
      at = close + 1;
    } else if (at < path.size() && InName(path[at])) {
      size_t end = at + 1;
      while (end < path.size() && InName(path[end])) ++end;
      out += Variable(path.substr(at, end - at));
      at = end;
    } else {
      out += '$';
    }
  }
#endif
  return out;
}

MameQuestion::MameQuestion(const std::string& mame_path, const std::string& executable) {
  const auto ask = [this, mame_path, executable] { return Ask(mame_path, executable); };
  try {
    pending_ = std::async(std::launch::async, ask);
  } catch (const std::system_error&) {
    // No thread to ask it beside the conversion: it is asked at the end.
    pending_ = std::async(std::launch::deferred, ask);
  }
}

MameQuestion::~MameQuestion() {
  stop_ = true;
  // A question put off to the end is not asked at all.
  if (pending_.valid() && pending_.wait_for(std::chrono::seconds(0)) != std::future_status::deferred) pending_.wait();
}

MameAnswer MameQuestion::Ask(const std::string& mame_path, const std::string& executable) {
  try {
    const std::string program = FindMameProgram(mame_path, TrimSpaces(executable));
    if (program.empty()) return {std::nullopt, "it was not found"};
    // MAME reads the mame.ini of the folder it runs from, so it is asked
    // from its own; from here when that is not there, as its search paths
    // still tell.
    const std::string folder = HostPath(mame_path);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kShowConfigSeconds);
    ProgramOutcome outcome;
    try {
      outcome = RunAndWait(program, "mame -showconfig", 0, [&] {
        if (stop_) throw Stopped();
        if (std::chrono::steady_clock::now() > deadline) throw TimedOut();
      }, 1 << 20, FolderExists(folder) ? folder : "");
    } catch (const TimedOut&) {
      return {std::nullopt, "it did not answer within " + std::to_string(kShowConfigSeconds) + " seconds"};
    }
    if (!outcome.started) return {std::nullopt, "it could not be started"};
    if (!outcome.succeeded) return {std::nullopt, "mame -showconfig " + outcome.description};
    std::optional<MameCtrlrSettings> settings = ReadShownConfig(outcome.output);
    if (!settings) return {std::nullopt, "mame -showconfig named no ctrlrpath"};
    return {std::move(settings), ""};
  } catch (const std::bad_alloc&) {
    return {std::nullopt, "there was not enough memory"};
  } catch (const std::exception&) {
    return {std::nullopt, "asking it was stopped"};
  }
}

const MameAnswer& MameQuestion::Answer(const WhileWaiting& while_waiting) {
  while (!answer_) {
    if (pending_.wait_for(std::chrono::milliseconds(50)) != std::future_status::timeout) {
      answer_ = pending_.get();
    } else if (while_waiting) {
      while_waiting();
    }
  }
  return *answer_;
}

const MameAnswer& MameQuestion::AnswerOrWhyNot(const WhileWaiting& while_waiting) {
  try {
    return Answer(while_waiting);
  } catch (const std::exception&) {
    stop_ = true;
    pending_.wait();
    answer_ = MameAnswer{std::nullopt, "asking it was stopped"};
    return *answer_;
  }
}

std::string FirstIniFolder(const MameCtrlrSettings& settings, const std::string& mame_path) {
  return SearchFolders(settings.inipath, mame_path).front();
}

std::string FirstMameIni(const MameCtrlrSettings& settings, const std::string& mame_path) {
  return JoinPath(FirstIniFolder(settings, mame_path), "mame.ini");
}

std::vector<std::string> CtrlrFolders(const MameCtrlrSettings& settings, const std::string& mame_path) {
  return SearchFolders(settings.ctrlrpath, mame_path);
}

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
  settings.shown = shown;
  return settings;
}

MameUse HowMameUsesTheFile(const std::string& combined_file, const MameAnswer& answer, const std::string& mame_path,
                           const std::string& folder_name) {
  MameUse use{{"The new controller file is " + DisplayPath(combined_file)}, false, std::nullopt};
  try {
    if (answer.settings) {
      MameUse said = AsMameSaid(*answer.settings, FolderOfFile(combined_file), mame_path, folder_name);
      for (std::string& line : said.lines) use.lines.push_back(std::move(line));
      use.uses_it = said.uses_it;
      use.change = std::move(said.change);
    } else {
      use.lines.push_back(AsMameIniFilesTell(mame_path, folder_name,
                                             " (a guess: MAME itself could not be asked, as " + answer.why_not + ")"));
    }
  } catch (const std::bad_alloc&) {
    use.lines.push_back("Whether MAME uses it could not be told: not enough memory");
  } catch (const std::exception& error) {
    use.lines.push_back(std::string("Whether MAME uses it could not be told: ") + error.what());
  }
  return use;
}

std::optional<MameCtrlrSettings> AskMameSettings(const std::string& mame_folder, const std::string& program) {
  MameQuestion question(mame_folder, program);
  return question.Answer().settings;
}

std::string MameSearchFolder(const std::string& entry, const std::string& mame_folder) {
  return SearchFolder(entry, mame_folder);
}

}  // namespace brantel
