#include "engine/combined_file.h"

#include "engine/io/folder.h"
#include "engine/io/line_file.h"
#include "engine/section_copy.h"
#include "engine/translate.h"

namespace brantel {
namespace {

// MAME refuses a controller file in which no system applies to the running
// game, so a folder without default.cfg still gets an empty default section.
void WriteDefaultSection(const std::string& folder, LineWriter& out) {
  std::string default_cfg = folder + "\\default.cfg";
  SlotPair pair;
  if (!FileNameIfPresent(default_cfg).empty()) {
    CopySection(default_cfg, pair, out);
  } else {
    CopySectionLines(IntermediateLines("default", {}), pair, out);
  }
}

void DeleteListedFiles(FileList& file_list) {
  const std::string folder = file_list.Path();
  const size_t count = file_list.ListCount();
  for (size_t index = 0; index < count; ++index) {
    RemoveFile(folder + "\\" + file_list.List(index));
  }
}

}  // namespace

void WriteCombinedFile(Window& window, const ConversionNotes& notes) {
  FileList& file_list = window.File1();
  const std::string folder = file_list.Path();
  {
    ReplacingLineWriter out(folder + ".cfg");
    out.Print("<mameconfig version=\"10\">");
    WriteDefaultSection(folder, out);
    Add2xml(window.DriverList(), out);
    Add2xml(window.ParentList(), out);
    Add2xml(window.RomList(), out);
    out.Print("");
    out.Print("</mameconfig>");
    out.Commit();
  }
  DeleteListedFiles(file_list);
  file_list.SetPattern("*.ini");
  ShowConversionNotes(window, notes);
  window.ShowMessageBox(kCompletionPrompt, kCompletionTitle, MessageStyle::kOkOnly);
}

}  // namespace brantel
