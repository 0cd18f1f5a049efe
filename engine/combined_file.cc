#include "engine/combined_file.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/stop_request.h"
#include "engine/section_copy.h"
#include "engine/written_bytes_check.h"

namespace brantel {
namespace {

// The combined file, checked as it is written: it replaces the earlier one
// only when it is well-formed. The check gets the bytes in large pieces, on
// a thread of its own; one that fails stops the writing and names the INI
// file whose section holds the place where the parser stopped.
class CheckedCombinedFile : public ReplacingLineWriter {
 public:
  explicit CheckedCombinedFile(const std::string& path) : ReplacingLineWriter(path) {}

  // `ini_path` lives until the file is committed: an item of a hidden list.
  void BeginSection(const std::string& ini_path) { sections_.push_back({checked_ + pending_.size(), &ini_path}); }
  // The user's systems come from the program's own writer, fed by one parse.
  void CheckWhatFollows(bool check) {
    FeedPending();
    checking_ = check;
  }

  // `before_replace` is called once the file is complete and well-formed.
  void CommitIfWellFormed(const std::function<void()>& before_replace) {
    FeedPending();
    const std::string complaint = check_.Finish();
    if (!complaint.empty()) throw NotWellFormed(complaint);
    Commit(before_replace);
  }

  // What the file holds, from the bytes as they were written: the file
  // need not be read back for the record of the files written.
  std::uint64_t Size() const { return size_; }
  std::string Sha256Digest() { return check_.Sha256Digest(); }

 protected:
  void Write(std::string_view bytes) override {
    ReplacingLineWriter::Write(bytes);
    size_ += bytes.size();
    if (bytes.size() >= kCheckPiece) {  // a long line is not copied once more
      FeedPending();
      Check(bytes);
      return;
    }
    pending_.append(bytes);
    if (pending_.size() >= kCheckPiece) FeedPending();
  }

 private:
  static constexpr size_t kCheckPiece = 1 << 16;

  struct Section {
    std::uint64_t start;  // among the bytes checked
    const std::string* ini_path;
  };

  void FeedPending() {
    const size_t size = pending_.size();
    if (size == 0) return;
    if (!check_.Add(pending_, checking_)) throw NotWellFormed(check_.Finish());
    if (checking_) checked_ += size;
  }

  void Check(std::string_view bytes) {
    if (!check_.Add(bytes, checking_)) throw NotWellFormed(check_.Finish());
    if (checking_) checked_ += bytes.size();
  }

  IoError NotWellFormed(const std::string& complaint) {
    // No INI file is to blame for a shortage.
    if (check_.OutOfMemory()) return IoError("Could not check the new file", path(), "Not enough memory; nothing was replaced");
    std::string reason = "it would not be well-formed XML (" + complaint + ")";
    const std::uint64_t at = check_.FailedAt();
    auto after = std::upper_bound(sections_.begin(), sections_.end(), at,
                                  [](std::uint64_t offset, const Section& section) { return offset < section.start; });
    if (after != sections_.begin()) reason += " because of the file \"" + DisplayPath(*std::prev(after)->ini_path) + "\"";
    return IoError("Could not replace", path(), reason + "; nothing was replaced");
  }

  WrittenBytesCheck check_;
  std::string pending_;     // written, not yet handed to the check
  std::uint64_t checked_ = 0;
  std::vector<Section> sections_;
  bool checking_ = true;
  std::uint64_t size_ = 0;
};

// A folder the user cannot write is named as the folder, not by the
// temporary name the new file would have had there.
std::unique_ptr<CheckedCombinedFile> CreateCombinedFile(const std::string& path) {
  try {
    return std::make_unique<CheckedCombinedFile>(path);
  } catch (const IoError& error) {
    throw IoError("Could not write the new file " + LastPathPiece(path) + " in the folder", FolderOfFile(path),
                  error.reason());
  } catch (const std::system_error& error) {  // no thread for the check
    throw IoError("Could not start the check of the new file", path, error.code().message() + "; nothing was replaced");
  }
}

class SectionWriter {
 public:
  SectionWriter(CheckedCombinedFile& out, CombinedFileParts& parts) : out_(out), parts_(parts) {}

  void Write(const std::string& ini_path) {
    ThrowIfStopRequested();
    out_.BeginSection(ini_path);
    SectionCopy copy(pair_, out_);
    parts_.translate(ini_path, copy);
    copy.End();
  }

  // The sections of `list` in its order, each followed by the user's
  // systems whose names sort up to its own.
  void WriteAll(const HiddenList& list, UserSystems::Slot slot) {
    const UserSystems& users = parts_.user_systems;
    size_t next = 0;
    for (const std::string& ini_path : list) {
      const std::string name = SystemName(LastPathPiece(ini_path));
      for (; next < users.Count(slot) && CompareSectionNames(users.Name(slot, next), name) < 0; ++next) {
        WriteUsers(slot, next);
      }
      Write(ini_path);
    }
    for (; next < users.Count(slot); ++next) WriteUsers(slot, next);
  }

 private:
  void WriteUsers(UserSystems::Slot slot, size_t index) {
    ThrowIfStopRequested();
    out_.Print("");
    out_.Print("");
    const UserSystems::Place place = parts_.user_systems.PlaceOf(slot, index);
    out_.CheckWhatFollows(false);
    out_.Print(parts_.user_bytes.Read(place.offset, place.size));
    out_.CheckWhatFollows(true);
  }

  CheckedCombinedFile& out_;
  CombinedFileParts& parts_;
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

void WriteCombinedFile(Window& window, CombinedFileParts& parts) {
  if (IsReadOnlyFile(parts.path)) {
    throw IoError("Could not replace", parts.path, "The file is read-only; it was kept as it was");
  }
  const std::unique_ptr<CheckedCombinedFile> file = CreateCombinedFile(parts.path);
  CheckedCombinedFile& out = *file;
  SectionWriter sections(out, parts);
  out.Print("<mameconfig version=\"10\">");
  WriteDefaultSections(parts, sections, out);
  sections.WriteAll(window.DriverList(), UserSystems::Slot::kDriver);
  sections.WriteAll(window.ParentList(), UserSystems::Slot::kParent);
  sections.WriteAll(window.RomList(), UserSystems::Slot::kRom);
  out.Print("");
  out.Print("</mameconfig>");
  out.CommitIfWellFormed(parts.before_replace);
  parts.written_size = out.Size();
  parts.written_sha256 = out.Sha256Digest();
}

void ShowCompletion(Window& window, const ConversionNotes& notes, const std::vector<std::string>& more_lines) {
  window.File1().SetPattern("*.ini");
  ShowConversionNotes(window, notes);
  std::string prompt = kCompletionPrompt;
  for (const std::string& line : more_lines) prompt += "\n" + line;
  window.ShowCompletionBox(prompt, kCompletionTitle, false);
}

}  // namespace brantel
