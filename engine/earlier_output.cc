#include "engine/earlier_output.h"

#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/file_digest.h"
#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/open_file.h"

namespace brantel {
namespace {

// The record's lines, after this heading, newest first:
// "SIZE DIGEST BEFORE STATE ASIDE PATH", where BEFORE is "-" or
// "SIZE:DIGEST", STATE "-" or "DEVICE:NUMBER:SIZE:WRITTEN:CHANGED" and
// ASIDE "-" or the ".bak" number.
constexpr const char* kRecordHeading = "brantel combined files 2";
constexpr size_t kRecordLineLimit = 8192;
constexpr std::uint64_t kRecordSizeLimit = WrittenRecord::kRecordedFiles * kRecordLineLimit;
constexpr size_t kDigestDigits = 32;

template <typename Number>
bool ReadNumber(std::string_view text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (size_t start = 0;;) {
    const size_t end = text.find(separator, start);
    pieces.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

bool ReadContents(std::string_view size, std::string_view digest, FileContents& contents) {
  contents.digest = digest;
  return digest.size() == kDigestDigits && digest.find_first_not_of("0123456789abcdef") == std::string_view::npos &&
         ReadNumber(size, contents.size);
}

bool ReadState(std::string_view text, FileState& state) {
  const std::vector<std::string_view> parts = SplitAt(text, ':');
  return parts.size() == 5 && ReadNumber(parts[0], state.device) && ReadNumber(parts[1], state.number) &&
         ReadNumber(parts[2], state.size) && ReadNumber(parts[3], state.written) && ReadNumber(parts[4], state.changed);
}

// None when the line does not read so: it says nothing.
std::optional<RecordEntry> ReadEntry(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (int field = 0; field < 5; ++field) {
    const size_t end = line.find(' ', start);
    if (end == std::string_view::npos) return std::nullopt;
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  RecordEntry entry;
  entry.key = line.substr(start);
  if (entry.key.empty() || !ReadContents(fields[0], fields[1], entry.file)) return std::nullopt;
  if (fields[2] != "-") {
    const std::vector<std::string_view> before = SplitAt(fields[2], ':');
    if (before.size() != 2 || !ReadContents(before[0], before[1], entry.before.emplace())) return std::nullopt;
  }
  if (fields[3] != "-" && !ReadState(fields[3], entry.state.emplace())) return std::nullopt;
  if (fields[4] != "-" && (!ReadNumber(fields[4], entry.aside.emplace()) || *entry.aside < 0)) return std::nullopt;
  return entry;
}

std::string EntryLine(const RecordEntry& entry) {
  std::string line = std::to_string(entry.file.size) + " " + entry.file.digest + " ";
  line += entry.before ? std::to_string(entry.before->size) + ":" + entry.before->digest : "-";
  line += " ";
  if (entry.state) {
    const FileState& s = *entry.state;
    line += std::to_string(s.device) + ":" + std::to_string(s.number) + ":" + std::to_string(s.size) + ":" +
            std::to_string(s.written) + ":" + std::to_string(s.changed);
  } else {
    line += "-";
  }
  return line + " " + (entry.aside ? std::to_string(*entry.aside) : "-") + " " + entry.key;
}

// The file's contents when `path` is an ordinary file itself (a link is
// never followed: a link to a copy of the program's own file is not its
// own) of at most `most` bytes; none otherwise, or when `stop` is set before
// the end. `state` is set to the file's state while it was read, and left
// empty when the file changed meanwhile. Throws IoError when it cannot be
// read.
std::optional<FileContents> Digest(const std::string& path, std::uint64_t most, const std::atomic<bool>& stop,
                                   std::optional<FileState>& state) {
  const FileHandle file = OpenOrdinaryFile(path, "Could not read", false);
  const std::optional<FileState> before = StateOfOpenFile(file.get());
  FileDigest digest;
  FileContents contents;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    if (stop) return std::nullopt;
    const size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
    contents.size += count;
    if (contents.size > most) return std::nullopt;
    digest.Add(std::string_view(buffer.data(), count));
    if (count < buffer.size()) break;
  }
  if (std::ferror(file.get())) throw IoError("Could not read", path, "A read failed");
  contents.digest = digest.HexDigest();
  if (before && before == StateOfOpenFile(file.get())) state = before;
  return contents;
}

std::uint64_t LargestOf(const RecordEntry& entry) {
  return entry.before && entry.before->size > entry.file.size ? entry.before->size : entry.file.size;
}

}  // namespace

WrittenRecord::WrittenRecord(std::string record_file) : file_(std::move(record_file)) {
  try {
    LineReader record(file_, LineReader::Marks::kIgnore, {kRecordLineLimit, kRecordSizeLimit});
    if (record.AtEnd() || record.ReadLine() != kRecordHeading) return;
    while (!record.AtEnd() && entries_.size() < kRecordedFiles) {
      const std::string line = record.ReadLine();
      if (record.LastLineCut()) continue;
      if (std::optional<RecordEntry> entry = ReadEntry(line)) entries_.push_back(std::move(*entry));
    }
  } catch (const IoError&) {
    entries_.clear();
  }
}

const RecordEntry* WrittenRecord::Find(const std::string& key) const {
  for (const RecordEntry& entry : entries_) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

void WrittenRecord::Note(RecordEntry entry) {
  if (!entries_.empty() && entries_.front() == entry) return;
  std::vector<RecordEntry> entries = {std::move(entry)};
  for (RecordEntry& kept : entries_) {
    if (entries.size() == kRecordedFiles) break;
    if (kept.key != entries.front().key) entries.push_back(std::move(kept));
  }
  ReplacingLineWriter record(file_);
  record.Print(kRecordHeading);
  for (const RecordEntry& kept : entries) record.Print(EntryLine(kept));
  entries_ = std::move(entries);  // as the record is, even should the commit fail
  record.Commit();
}

std::string RecordKey(const std::string& path) {
  try {
    return JoinPath(RealFolderPath(FolderOfFile(path)), LastPathPiece(path));
  } catch (const IoError&) {
    return path;
  }
}

std::string AsideName(const std::string& path, int number) {
  return path + (number == 0 ? "" : "." + std::to_string(number)) + ".bak";
}

EarlierFile::EarlierFile(std::string path, std::string record_file)
    : path_(std::move(path)), key_(RecordKey(path_)), record_(std::move(record_file)) {
  if (const RecordEntry* entry = record_.Find(key_)) entry_ = *entry;
  if (!entry_ || (entry_->state && StateOfEntry(path_) == entry_->state)) return;
  try {
    thread_ = std::thread([this, most = LargestOf(*entry_)] { ReadAhead(most); });
  } catch (const std::system_error&) {
    // No thread to spare: the file is read at the rename instead.
  }
}

EarlierFile::~EarlierFile() {
  stop_ = true;
  WaitForReadingAhead();
}

// Any failure here only leaves the reading to the rename.
void EarlierFile::ReadAhead(std::uint64_t most) {
  try {
    const std::optional<FileContents> contents = Digest(path_, most, stop_, ahead_state_);
    if (contents) {
      ahead_ = *contents;
    } else {
      ahead_state_.reset();
    }
  } catch (const std::exception&) {
    ahead_state_.reset();
  }
}

std::string EarlierFile::LeftAsideByAStoppedRun() const {
  if (!entry_ || !entry_->aside) return "";
  const std::string aside = AsideName(path_, *entry_->aside);
  return EntryExists(aside) ? aside : "";
}

bool EarlierFile::HoldsAlready(const FileContents& contents) {
  return entry_ && entry_->file == contents && entry_->state && !entry_->before && !entry_->aside &&
         StateOfEntry(path_) == entry_->state;
}

// `seen` is the entry's state now, none when there is none.
EarlierFile::Verdict EarlierFile::Judge(const std::optional<FileState>& seen) {
  Verdict verdict;
  verdict.why = "not known as this program's unedited output";
  if (!entry_) return verdict;
  if (entry_->state && seen == entry_->state) return {true, entry_->file, ""};
  verdict.why += " (it is not the file this program wrote there last)";
  std::optional<FileContents> contents;
  try {
    WaitForReadingAhead();
    if (ahead_state_ && seen == ahead_state_) {
      contents = ahead_;
    } else {
      const std::atomic<bool> go_on{false};
      std::optional<FileState> state;
      contents = Digest(path_, LargestOf(*entry_), go_on, state);
      if (state != seen) contents.reset();  // changed meanwhile: judged anew
    }
  } catch (const IoError&) {
    return verdict;
  }
  for (const std::optional<FileContents>& ours : {std::optional<FileContents>(entry_->file), entry_->before}) {
    if (contents && ours && *contents == *ours) return {true, *ours, ""};
  }
  return verdict;
}

void EarlierFile::Note(RecordEntry entry) {
  try {
    record_.Note(std::move(entry));
    record_failure_.clear();
  } catch (const std::bad_alloc&) {
    record_failure_ = "Not enough memory";
  } catch (const std::exception& error) {
    record_failure_ = error.what();
  }
}

EarlierFile::KeptAside EarlierFile::PrepareForNewFile(const FileContents& contents) {
  new_contents_ = contents;
  KeptAside kept;
  // Each pass judges the name as it is; one that finds it changed by the
  // time the new file would take it judges again.
  for (int pass = 0; pass < 5; ++pass) {
    if (IsReadOnlyFile(path_)) throw IoError("Could not replace", path_, "The file is read-only; it was kept as it was");
    const std::optional<FileState> seen = StateOfEntry(path_);
    const Verdict verdict = seen ? Judge(seen) : Verdict{true, std::nullopt, ""};
    RecordEntry pending{key_, contents, verdict.matched, std::nullopt, std::nullopt};
    if (pending.before == contents) pending.before.reset();
    if (verdict.ours) {
      Note(pending);
      if (StateOfEntry(path_) == seen) return kept;
      continue;
    }
    // Noted before the rename: a run stopped right after it tells the next
    // where the user's file is.
    bool moved = false;
    for (int number = 0; number < 1000 && !moved; ++number) {
      if (EntryExists(AsideName(path_, number))) continue;
      pending.aside = number;
      Note(pending);
      moved = RenameIfFree(path_, AsideName(path_, number));
      if (moved && kept.path.empty()) kept = {AsideName(path_, number), verdict.why};
    }
    if (!moved) throw IoError("Could not keep aside", path_, "Every name from .bak to .999.bak is taken");
    if (!EntryExists(path_)) return kept;
  }
  throw IoError("Could not replace", path_, "It kept changing while the new file was about to take its name");
}

void EarlierFile::NoteInPlace() {
  const std::string failure_before = record_failure_;
  Note({key_, new_contents_, std::nullopt, StateOfEntry(path_), std::nullopt});
  record_failure_ = failure_before;  // the new file is named already, or not at all
}

}  // namespace brantel
