#include "engine/settings_file.h"

#include "engine/io/line_file.h"
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

void WriteSettings(const std::string& path, const Settings& settings) {
  ReplacingLineWriter file(path);
  file.Print(settings.folder_name);
  file.Print(settings.mame_path);
  file.Print(settings.executable);
  if (settings.check_box) file.PrintInteger(*settings.check_box);
  file.Commit();
}

std::string KeptMamePath(std::string_view typed_path) { return WithTrailingSeparator(typed_path); }

}  // namespace brantel
