#include "engine/use_in_mame.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/open_file.h"
#include "engine/io/work_folder.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

constexpr const char* kLeftAsItWas = "; it was left as it was";

// The whole of a mame.ini that may be changed: an ordinary file itself, not
// too large, text. `to_change` also refuses one marked read-only.
std::string ReadMameIni(const std::string& path, bool to_change) {
  const char* what = to_change ? "Could not change" : "Could not read";
  const FileHandle file = OpenOrdinaryFile(path, what, false);
  std::string bytes;
  char buffer[1 << 16];
  for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
    bytes.append(buffer, count);
    if (bytes.size() > kMameIniSizeLimit) {
      throw IoError(what, path, "It is larger than " + std::to_string(kMameIniSizeLimit >> 20) + " MB" + kLeftAsItWas);
    }
  }
  if (std::ferror(file.get())) throw IoError(what, path, std::string("A read failed") + kLeftAsItWas);
  if (bytes.find('\0') != std::string::npos) throw IoError(what, path, std::string("It is not text") + kLeftAsItWas);
  if (to_change && IsReadOnlyFile(path)) throw IoError(what, path, std::string("It is read-only") + kLeftAsItWas);
  return bytes;
}

// The new mame.ini, written byte for byte.
class MameIniWriter : public ReplacingLineWriter {
 public:
  using ReplacingLineWriter::ReplacingLineWriter;
  void Put(std::string_view bytes) { Write(bytes); }
};

// A copy of `bytes` that takes the first free name "<path>.bak",
// "<path>.N.bak" once it is whole on the disk; returns that name.
std::string KeepCopy(const std::string& path, const std::string& bytes) {
  TemporaryFile copy = CreateTemporaryFileBeside(path);
  struct Remove {
    const std::string& path;
    bool done = false;
    ~Remove() {
      if (done) return;
      try {
        RemoveEntryIfPresent(path);
      } catch (const IoError&) {
      }
    }
  } remove{copy.path};
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), copy.file.get()) == bytes.size() &&
                       std::fflush(copy.file.get()) == 0 && FlushToDisk(copy.file.get());
  copy.file.reset();
  if (!written) throw IoError("Could not keep a copy of", path, "It could not be written; nothing was changed");
  for (int number = 0; number < 1000; ++number) {
    const std::string aside = path + (number == 0 ? "" : "." + std::to_string(number)) + ".bak";
    if (RenameIfFree(copy.path, aside)) {
      remove.done = true;
      return aside;
    }
  }
  throw IoError("Could not keep a copy of", path, "Every name from .bak to .999.bak is taken; nothing was changed");
}

std::vector<std::string> ShownLinesBut(const std::string& shown) {
  std::vector<std::string> lines;
  for (const std::string& line : Split(RemoveChars(shown, "\r"), '\n')) {
    const std::string name = line.substr(0, line.find_first_of(" \t"));
    if (name != "ctrlr" && name != "ctrlrpath" && !TrimSpaces(line).empty()) lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace

std::string SetMameIniOptions(const MameIniChange& change, const WhileWaiting& while_waiting) {
  const std::string folder = FolderOfFile(change.mame_ini);
  if (!FolderExists(folder)) CreateNewFolder(folder);
  FolderLock lock(folder, while_waiting);
  RemoveLeftTemporaryFiles(folder);
  const bool exists = EntryExists(change.mame_ini);
  std::string old_bytes;
  if (exists) {
    old_bytes = ReadMameIni(change.mame_ini, true);
  } else if (!change.read_until_now.empty() && EntryExists(change.read_until_now)) {
    old_bytes = ReadMameIni(change.read_until_now, false);
  }
  MameIniWriter writer(change.mame_ini);
  writer.Put(WithMameIniOptions(old_bytes, change.options));
  std::string aside;
  writer.Commit([&] {
    if (exists) aside = KeepCopy(change.mame_ini, old_bytes);
  });
  return aside;
}

std::vector<std::string> OtherSettingsChanged(const std::string& before, const std::string& after) {
  const std::vector<std::string> was = ShownLinesBut(before), is = ShownLinesBut(after);
  std::vector<std::string> changed;
  std::set_difference(is.begin(), is.end(), was.begin(), was.end(), std::back_inserter(changed));
  std::vector<std::string> gone;
  std::set_difference(was.begin(), was.end(), is.begin(), is.end(), std::back_inserter(gone));
  for (const std::string& line : gone) changed.push_back("(was) " + line);
  return changed;
}

UseInMameResult UseInMame(const MameIniChange& change, const MameCtrlrSettings& before,
                          const std::string& combined_file, const std::string& mame_path,
                          const std::string& executable, const std::string& folder_name,
                          const WhileWaiting& while_waiting) {
  UseInMameResult result;
  std::string aside;
  try {
    aside = SetMameIniOptions(change, while_waiting);
  } catch (const WaitCancelled&) {
    result.lines = {"Cancelled: " + DisplayPath(change.mame_ini) + " was left as it was"};
    return result;
  } catch (const std::bad_alloc&) {
    result.lines = {"Could not change \"" + DisplayPath(change.mame_ini) + "\": Not enough memory"};
    return result;
  } catch (const std::exception& error) {
    result.lines = {error.what()};
    return result;
  }
  std::vector<std::string> set = {"These lines are set in " + DisplayPath(change.mame_ini) + ":"};
  for (const MameIniOption& option : change.options) set.push_back(MameIniLine(option));
  if (!aside.empty()) {
    set.push_back("The previous one is kept as " + DisplayPath(aside));
  } else if (!change.read_until_now.empty() && EntryExists(change.read_until_now)) {
    set.push_back("It is new: a copy of " + DisplayPath(change.read_until_now) + ", which MAME read until now");
  }
  MameQuestion again(mame_path, executable);
  const MameAnswer& after = again.AnswerOrWhyNot(while_waiting);
  if (!after.settings) {
    result.lines = {"Whether MAME uses it now could not be told: MAME could not be asked, as " + after.why_not};
  } else {
    MameUse use = HowMameUsesTheFile(combined_file, after, mame_path, folder_name);
    const std::vector<std::string> other = OtherSettingsChanged(before.shown, after.settings->shown);
    if (use.uses_it && other.empty()) {
      result.lines = {"MAME now uses it."};
      result.done = true;
    } else if (!use.uses_it) {
      result.lines = {"MAME does not use it even so:"};
      // Past the file's place and "does not use it yet".
      result.lines.insert(result.lines.end(), use.lines.begin() + std::min<size_t>(2, use.lines.size()), use.lines.end());
    } else {
      result.lines = {"MAME uses it, but these other settings of MAME changed too:"};
      result.lines.insert(result.lines.end(), other.begin(), other.end());
    }
  }
  result.lines.insert(result.lines.end(), set.begin(), set.end());
  return result;
}

}  // namespace brantel
