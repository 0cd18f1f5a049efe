#include "engine/settings_file.h"

#include <cstdio>

#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/open_file.h"
#include "engine/text_rules.h"

namespace brantel {

std::vector<std::string> ReadSettingsLines(const std::string& path, std::vector<std::string>* cut_notes) {
  std::vector<std::string> lines;
  for (LineReader reader(path, LineReader::Marks::kIgnore, kSettingsLineLimit); !reader.AtEnd() && lines.size() < 4;) {
    lines.push_back(TrimSpaces(reader.ReadLine()));
    if (reader.LastLineCut() && cut_notes != nullptr) {
      cut_notes->push_back(std::string(kSettingsFileName) + ":" + std::to_string(lines.size()) +
                           ": a line longer than " + std::to_string(kSettingsLineLimit) +
                           " bytes, cut to its first " + std::to_string(kSettingsLineLimit));
    }
  }
  return lines;
}

namespace {

// Whether the ordinary file `path` (a link is not followed) holds exactly
// `bytes`; false when it cannot be read.
bool HoldsExactly(const std::string& path, const std::string& bytes) {
  try {
    const FileHandle file = OpenOrdinaryFile(path, "Could not read", false);
    std::string held(bytes.size() + 1, '\0');
    const size_t count = std::fread(held.data(), 1, held.size(), file.get());
    return !std::ferror(file.get()) && count == bytes.size() && held.compare(0, count, bytes) == 0;
  } catch (const IoError&) {
    return false;
  }
}

}  // namespace

void WriteSettings(const std::string& path, const Settings& settings) {
  std::vector<std::string> lines = {settings.folder_name, settings.mame_path, settings.executable};
  if (settings.check_box) {
    const long value = *settings.check_box;
    lines.push_back((value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value) + " ");
  }
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  // The same lines again: nothing to write, and nothing to wait for.
  if (HoldsExactly(path, bytes)) return;
  ReplacingLineWriter file(path);
  for (const std::string& line : lines) file.Print(line);
  file.Commit();
}

std::string KeptMamePath(std::string_view typed_path) { return WithTrailingSeparator(typed_path); }

}  // namespace brantel
