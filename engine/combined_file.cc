#include "engine/combined_file.h"

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/host_path.h"
#include "engine/io/line_file.h"
#include "engine/section_copy.h"
#include "engine/translate.h"
#include "engine/xml_check.h"

namespace brantel {
namespace {

// The combined file, checked as it is written: it replaces the earlier one
// only when it is well-formed.
class CheckedCombinedFile : public ReplacingLineWriter {
 public:
  using ReplacingLineWriter::ReplacingLineWriter;

  WellFormedCheck& check() { return check_; }

  void CommitIfWellFormed() {
    std::string reason = check_.Finish();
    if (!reason.empty()) throw IoError("Could not replace", path(), reason);
    Commit();
  }

 protected:
  void Write(std::string_view bytes) override {
    check_.Feed(bytes);
    ReplacingLineWriter::Write(bytes);
  }

 private:
  WellFormedCheck check_;
};

// MAME refuses a controller file in which no system applies to the running
// game, so a folder without default.cfg still gets an empty default section.
// Only a file stored under exactly that name is the default section: any
// other spelling is listed, and written, like every other cfg file.
void WriteDefaultSection(const std::string& folder, CheckedCombinedFile& out) {
  std::string default_cfg = JoinPath(folder, "default.cfg");
  SlotPair pair;
  if (FileNameIfPresent(default_cfg) == "default.cfg") {
    out.check().BeginSection(default_cfg);
    CopySection(default_cfg, pair, out);
  } else {
    CopySectionLines(IntermediateLines("default", {}), pair, out);
  }
}

void DeleteListedFiles(FileList& file_list) {
  const std::string folder = file_list.Path();
  const size_t count = file_list.ListCount();
  for (size_t index = 0; index < count; ++index) {
    RemoveFile(JoinPath(folder, file_list.List(index)));
  }
}

}  // namespace

void WriteCombinedFile(Window& window, const ConversionNotes& notes) {
  FileList& file_list = window.File1();
  const std::string folder = file_list.Path();
  {
    CheckedCombinedFile out(folder + ".cfg");
    auto section_from = [&out](const std::string& path) { out.check().BeginSection(path); };
    out.Print("<mameconfig version=\"10\">");
    WriteDefaultSection(folder, out);
    out.check().EndSection();
    Add2xml(window.DriverList(), out, section_from);
    Add2xml(window.ParentList(), out, section_from);
    Add2xml(window.RomList(), out, section_from);
    out.check().EndSection();
    out.Print("");
    out.Print("</mameconfig>");
    out.CommitIfWellFormed();
  }
  DeleteListedFiles(file_list);
  file_list.SetPattern("*.ini");
  ShowConversionNotes(window, notes);
  window.ShowMessageBox(kCompletionPrompt, kCompletionTitle, MessageStyle::kOkOnly);
}

}  // namespace brantel
