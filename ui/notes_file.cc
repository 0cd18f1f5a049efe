#include "ui/notes_file.h"

#include "engine/io/line_file.h"
#include "engine/text_rules.h"

namespace brantel {

void SaveNotesFile(const std::string& path, const std::string& notes) {
  ReplacingLineWriter file(path);
  std::string text = RemoveChars(notes, "\r");
  if (!text.empty()) {
    if (text.back() == '\n') text.pop_back();  // the last line's end is written as CR LF
    for (size_t start = 0;;) {
      const size_t end = text.find('\n', start);
      file.Print(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  file.Commit();
}

std::string NotesFileName(const std::string& folder_name) {
  const std::string name = TrimSpaces(WithoutQuotes(TrimSpaces(folder_name)));
  return (name.empty() ? "" : name + " ") + "conversion notes.txt";
}

}  // namespace brantel
