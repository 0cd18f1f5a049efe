#include "ui/notes_file.h"

#include "engine/io/line_file.h"
#include "engine/text_rules.h"

namespace brantel {

void SaveNotesFile(const std::string& path, const std::string& notes) {
  ReplacingLineWriter file(path);
  std::string text = RemoveChars(notes, "\r");
  if (!text.empty() && text.back() == '\n') text.pop_back();  // the last line's end is written as CR LF
  for (const std::string& line : Split(text, '\n')) file.Print(line);
  file.Commit();
}

}  // namespace brantel
