#include "ui/settings.h"

#include <cstddef>
#include <memory>
#include <optional>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/mame_location.h"
#include "engine/plain_window.h"
#include "engine/program_files.h"
#include "engine/text_rules.h"

namespace brantel {

namespace {

constexpr const char* kSettingsFileName = "brantel.cfg";
constexpr const char* kDefaultFolderName = "hotrod";

// A settings file that could not be opened reads like an empty one: every
// read fails and leaves the working line as it was.
std::unique_ptr<LineReader> OpenIfPossible(const std::string& path) {
  try {
    return std::make_unique<LineReader>(path);
  } catch (const IoError&) {
    return nullptr;
  }
}

void ReadInto(LineReader* file, std::string& working_line) {
  if (file == nullptr || file->AtEnd()) return;
  working_line = file->ReadLine();
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

void LoadSettings(Window& window, const std::string& program_folder) {
  const std::string path = SettingsFilePath(program_folder);
  if (FileNameIfPresent(path) == kSettingsFileName) {
    const std::unique_ptr<LineReader> file = OpenIfPossible(path);
    std::string working_line;
    ReadInto(file.get(), working_line);
    working_line = TrimSpaces(working_line);
    window.SetText1(working_line);
    ReadInto(file.get(), working_line);
    working_line = TrimSpaces(working_line);
    window.SetText2(working_line);
    ReadInto(file.get(), working_line);
    working_line = TrimSpaces(working_line);
    window.SetText3(working_line);
    ReadInto(file.get(), working_line);
    working_line = TrimSpaces(working_line);
    if (const std::optional<int> value = RoundedNumericValue(working_line)) {
      window.SetCheckBoxValue(*value);  // a refused value keeps the box as it was
    }
  }
  if (window.Text1().empty()) window.SetText1(kDefaultFolderName);
  if (window.Text2().empty()) window.SetText2(DefaultMamePath());
  if (window.Text3().empty()) window.SetText3(DefaultExecutable());
  PointFileListAt(window.File1(), window.Text1());
  const std::string mame_path = window.Text2();
  if (WithTrailingBackslash(mame_path) != mame_path) window.SetText2(WithTrailingBackslash(mame_path));
}

void SaveSettings(Window& window, const std::string& program_folder) {
  ReplacingLineWriter file(SettingsFilePath(program_folder));
  file.Print(window.Text1());
  file.Print(window.Text2());
  file.Print(window.Text3());
  file.PrintInteger(window.CheckBoxValue());
  file.Commit();
}

}  // namespace brantel
