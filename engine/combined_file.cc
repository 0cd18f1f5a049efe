#include "engine/combined_file.h"

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/stop_request.h"
#include "engine/section_copy.h"
#include "engine/translate.h"
#include "engine/user_cfg.h"
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

void CopyWholeSection(const std::string& path, LinePrinter& out) {
  LineReader section(path);
  out.Print("");
  out.Print("");
  while (!section.AtEnd()) out.Print(section.ReadLine());
}

class SectionWriter {
 public:
  SectionWriter(const CombinedFileParts& parts, CheckedCombinedFile& out) : parts_(parts), out_(out) {}

  void Write(const std::string& path) {
    ThrowIfStopRequested();
    auto shown = parts_.shown_as.find(path);
    out_.check().BeginSection(shown == parts_.shown_as.end() ? path : shown->second);
    if (IsUserSectionFile(path)) {
      CopyWholeSection(path, out_);
    } else {
      CopySection(path, pair_, out_);
    }
  }

  void WriteAll(const HiddenList& list) {
    for (const std::string& path : list) Write(path);
  }

 private:
  const CombinedFileParts& parts_;
  CheckedCombinedFile& out_;
  SlotPair pair_;
};

// MAME refuses a controller file in which no system applies to the running
// game, so a folder without a default section still gets an empty one.
void WriteDefaultSections(const CombinedFileParts& parts, SectionWriter& sections, CheckedCombinedFile& out) {
  if (parts.default_sections.empty()) {
    SlotPair pair;
    CopySectionLines(IntermediateLines("default", {}), pair, out);
    return;
  }
  for (const std::string& path : parts.default_sections) sections.Write(path);
  out.check().EndSection();
}

}  // namespace

void WriteCombinedFile(Window& window, const CombinedFileParts& parts) {
  if (IsReadOnlyFile(parts.path)) {
    throw IoError("Could not replace", parts.path, "The file is read-only; it was kept as it was");
  }
  CheckedCombinedFile out(parts.path, parts.work_folder);
  SectionWriter sections(parts, out);
  out.Print("<mameconfig version=\"10\">");
  WriteDefaultSections(parts, sections, out);
  sections.WriteAll(window.DriverList());
  sections.WriteAll(window.ParentList());
  sections.WriteAll(window.RomList());
  out.check().EndSection();
  out.Print("");
  out.Print("</mameconfig>");
  out.CommitIfWellFormed();
}

void ShowCompletion(Window& window, const ConversionNotes& notes) {
  window.File1().SetPattern("*.ini");
  ShowConversionNotes(window, notes);
  window.ShowMessageBox(kCompletionPrompt, kCompletionTitle, MessageStyle::kOkOnly);
}

}  // namespace brantel
