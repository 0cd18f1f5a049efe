#include "engine/combined_file.h"

#include <vector>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/stop_request.h"
#include "engine/section_copy.h"
#include "engine/translate.h"
#include "engine/io/host_path.h"
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
    Commit(parts_.before_replace);
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

// The system name of a translated section's file: its name without ".cfg".
std::string_view SectionName(const std::string& path) {
  std::string_view name = path;
  const size_t separator = LastSeparator(path);
  if (separator != std::string::npos) name.remove_prefix(separator + 1);
  if (name.size() >= 4) name.remove_suffix(4);
  return name;
}

class SectionWriter {
 public:
  SectionWriter(CheckedCombinedFile& out, const UserSystems& users) : out_(out), users_(users) {}

  void Write(const std::string& path) {
    ThrowIfStopRequested();
    out_.BeginSection(path);
    CopySection(path, pair_, out_);
  }

  // The sections of `list` in its order, each followed by the user's
  // systems whose names sort up to its own.
  void WriteAll(const HiddenList& list, UserSystems::Slot slot) {
    size_t next = 0;
    for (const std::string& path : list) {
      const std::string_view name = SectionName(path);
      for (; next < users_.Count(slot) && CompareSectionNames(users_.Name(slot, next), name) < 0; ++next) {
        WriteUsers(slot, next);
      }
      Write(path);
    }
    for (; next < users_.Count(slot); ++next) WriteUsers(slot, next);
  }

 private:
  void WriteUsers(UserSystems::Slot slot, size_t index) {
    ThrowIfStopRequested();
    out_.Print("");
    out_.Print("");
    reader_.Print(users_, slot, index, out_);
  }

  CheckedCombinedFile& out_;
  const UserSystems& users_;
  UserSystemReader reader_;
  SlotPair pair_;
};

// MAME refuses a controller file in which no system applies to the running
// game, so a folder without a default section still gets an empty one.
void WriteDefaultSections(const CombinedFileParts& parts, SectionWriter& sections, CheckedCombinedFile& out) {
  if (parts.default_sections.empty() && parts.user_systems.Count(UserSystems::Slot::kDefault) == 0) {
    SlotPair pair;
    CopySectionLines(IntermediateLines("default", {}), pair, out);
    return;
  }
  sections.WriteAll(parts.default_sections, UserSystems::Slot::kDefault);
}

}  // namespace

void WriteCombinedFile(Window& window, const CombinedFileParts& parts) {
  if (IsReadOnlyFile(parts.path)) {
    throw IoError("Could not replace", parts.path, "The file is read-only; it was kept as it was");
  }
  CheckedCombinedFile out(parts);
  SectionWriter sections(out, parts.user_systems);
  out.Print("<mameconfig version=\"10\">");
  WriteDefaultSections(parts, sections, out);
  sections.WriteAll(window.DriverList(), UserSystems::Slot::kDriver);
  sections.WriteAll(window.ParentList(), UserSystems::Slot::kParent);
  sections.WriteAll(window.RomList(), UserSystems::Slot::kRom);
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
