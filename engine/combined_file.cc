#include "engine/combined_file.h"

#include <vector>

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
// only when it is well-formed. When it is not, each section's file is checked
// on its own, so that the message names the files that caused it.
class CheckedCombinedFile : public ReplacingLineWriter {
 public:
  CheckedCombinedFile(const CombinedFileParts& parts)
      : ReplacingLineWriter(parts.path, parts.work_folder), parts_(parts) {}

  void BeginSection(const std::string& path) { sections_.push_back(path); }

  void CommitIfWellFormed() {
    const std::string complaint = check_.Finish();
    if (!complaint.empty()) throw IoError("Could not replace", path(), Reason(complaint));
    Commit();
  }

 protected:
  void Write(std::string_view bytes) override {
    check_.Feed(bytes);
    ReplacingLineWriter::Write(bytes);
  }

 private:
  std::string Reason(const std::string& complaint) const {
    std::vector<std::string> broken;
    for (const std::string& section : sections_) {
      if (IsWellFormedSection(section)) continue;
      auto shown = parts_.shown_as.find(section);
      broken.push_back(shown == parts_.shown_as.end() ? section : shown->second);
    }
    std::string reason = "it would not be well-formed XML (" + complaint + ")";
    for (size_t i = 0; i < broken.size(); ++i) {
      if (i == 0) reason += broken.size() == 1 ? " because of the file " : " because of the files ";
      reason += (i == 0 ? "\"" : ", \"") + DisplayPath(broken[i]) + "\"";
    }
    return reason + "; nothing was replaced";
  }

  const CombinedFileParts& parts_;
  WellFormedCheck check_;
  std::vector<std::string> sections_;
};

void CopyWholeSection(const std::string& path, LinePrinter& out) {
  LineReader section(path);
  out.Print("");
  out.Print("");
  while (!section.AtEnd()) out.Print(section.ReadLine());
}

class SectionWriter {
 public:
  explicit SectionWriter(CheckedCombinedFile& out) : out_(out) {}

  void Write(const std::string& path) {
    ThrowIfStopRequested();
    out_.BeginSection(path);
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
}

}  // namespace

void WriteCombinedFile(Window& window, const CombinedFileParts& parts) {
  if (IsReadOnlyFile(parts.path)) {
    throw IoError("Could not replace", parts.path, "The file is read-only; it was kept as it was");
  }
  CheckedCombinedFile out(parts);
  SectionWriter sections(out);
  out.Print("<mameconfig version=\"10\">");
  WriteDefaultSections(parts, sections, out);
  sections.WriteAll(window.DriverList());
  sections.WriteAll(window.ParentList());
  sections.WriteAll(window.RomList());
  out.Print("");
  out.Print("</mameconfig>");
  out.CommitIfWellFormed();
}

void ShowCompletion(Window& window, const ConversionNotes& notes, const std::vector<std::string>& more_lines) {
  window.File1().SetPattern("*.ini");
  ShowConversionNotes(window, notes);
  std::string prompt = kCompletionPrompt;
  for (const std::string& line : more_lines) prompt += "\n" + line;
  window.ShowMessageBox(prompt, kCompletionTitle, MessageStyle::kOkOnly);
}

}  // namespace brantel
