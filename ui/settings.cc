#include "ui/settings.h"

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/old_folders.h"
#include "engine/program_files.h"
#include "engine/settings_file.h"

namespace brantel {

namespace {

// A settings file that cannot be read reads like an empty one.
std::vector<std::string> ReadIfPossible(const std::string& path, std::vector<std::string>* notes) {
  try {
    return ReadSettingsLines(path, notes);
  } catch (const IoError&) {
    return {};
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Rounds the unsigned decimal number `whole`.`fraction` half to even.
// Returns nothing when the result cannot be a 16-bit value.
std::optional<long> RoundHalfToEven(const std::string& whole, const std::string& fraction) {
  const size_t significant = whole.find_first_not_of('0');
  if (significant != std::string::npos && whole.size() - significant > 6) return std::nullopt;
  long value = significant == std::string::npos ? 0 : std::stol(whole.substr(significant));
  if (!fraction.empty()) {
    const char first = fraction[0];
    const bool beyond_half = fraction.find_first_not_of('0', 1) != std::string::npos;
    if (first > '5' || (first == '5' && (beyond_half || value % 2 == 1))) ++value;
  }
  return value;
}

// Nothing when there is no place for it: the window starts with defaults.
std::string SettingsFileIfFound(const std::string& program_folder) {
  try {
    return KeptFilesOf(program_folder).settings_file;
  } catch (const IoError&) {
    return "";
  }
}

}  // namespace

std::optional<int> RoundedNumericValue(const std::string& text) {
  size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  std::string whole;
  while (at < text.size() && IsDigit(text[at])) whole += text[at++];
  std::string fraction;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) fraction += text[at++];
  }
  const std::optional<long> magnitude = RoundHalfToEven(whole, fraction);
  if (!magnitude) return std::nullopt;
  const long value = negative ? -*magnitude : *magnitude;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<int>(value);
}

bool LoadSettings(Window& window, const std::string& program_folder, std::vector<std::string>* notes) {
  const std::string path = SettingsFileIfFound(program_folder);
  bool folder_name_saved = false;
  const bool found = !path.empty() && FileNameIfPresent(path) == kSettingsFileName;
  if (found) {
    // One working line: a line the file lacks leaves it as the line before.
    const std::vector<std::string> lines = ReadIfPossible(path, notes);
    std::string working_line;
    size_t read = 0;
    auto next = [&]() -> const std::string& {
      if (read < lines.size()) working_line = lines[read++];
      return working_line;
    };
    window.SetText1(next());
    folder_name_saved = !window.Text1().empty();
    window.SetText2(next());
    window.SetText3(next());
    if (const std::optional<int> value = RoundedNumericValue(next())) {
      window.SetCheckBoxValue(*value);  // a refused value keeps the box as it was
    }
  }
  const WindowTexts defaults = LoadDefaults();
  if (window.Text2().empty()) window.SetText2(defaults.mame_path);
  if (window.Text3().empty()) window.SetText3(defaults.executable);
  const std::string mame_path = window.Text2();
  if (KeptMamePath(mame_path) != mame_path) window.SetText2(KeptMamePath(mame_path));
  // The folder MAME itself was told to use is a better guess than any name
  // of ours.
  if (!folder_name_saved) {
    if (const std::optional<std::string> name = OldFolderOfMameIni(window.Text2())) window.SetText1(*name);
  }
  if (window.Text1().empty()) window.SetText1(defaults.folder_name);
  ShowOldFolder(window);
  return found;
}

void SaveSettings(const Window& window, const std::string& program_folder) {
  WriteSettings(KeptFilesOf(program_folder).settings_file,
                {window.Text1(), window.Text2(), window.Text3(), window.CheckBoxValue()});
}

}  // namespace brantel
