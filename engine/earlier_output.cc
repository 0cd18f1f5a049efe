#include "engine/earlier_output.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/open_file.h"
#include "engine/sha256.h"

namespace brantel {
namespace {

constexpr const char* kRecordHeading = "brantel combined files 1";
constexpr size_t kRecordedFiles = 300;
constexpr size_t kRecordLineLimit = 8192;
constexpr std::uint64_t kRecordSizeLimit = kRecordedFiles * kRecordLineLimit;

struct Written {
  std::uint64_t size = 0;
  std::string sha256;
  std::string path;
};

// The record's lines, newest first: "SIZE SHA256 PATH". A line that does
// not read so says nothing; a record that cannot be read, or is not one,
// says nothing at all.
std::vector<Written> ReadRecord(const std::string& record_file) {
  std::vector<Written> written;
  try {
    LineReader record(record_file, LineReader::Marks::kIgnore, {kRecordLineLimit, kRecordSizeLimit});
    if (record.AtEnd() || record.ReadLine() != kRecordHeading) return {};
    while (!record.AtEnd() && written.size() < kRecordedFiles) {
      const std::string line = record.ReadLine();
      const size_t first = line.find(' ');
      const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
      if (second != first + 65 || record.LastLineCut()) continue;
      Written entry{0, line.substr(first + 1, 64), line.substr(second + 1)};
      try {
        entry.size = std::stoull(line.substr(0, first));
      } catch (const std::exception&) {
        continue;
      }
      written.push_back(std::move(entry));
    }
  } catch (const IoError&) {
    return {};
  }
  return written;
}

// The file's size and SHA-256 when `path` is an ordinary file itself (not a
// link) of at most `most` bytes; none otherwise, or when `stop` is set before
// the end. `state` is set to the file's state while it was read, and left
// empty when the file changed meanwhile.
std::optional<Written> Digest(const std::string& path, std::uint64_t most, const std::atomic<bool>& stop,
                              std::optional<FileState>& state) {
  const FileHandle file = OpenOrdinaryFile(path, "Could not read", false);
  const std::optional<FileState> before = StateOfOpenFile(file.get());
  Sha256 sha;
  Written digest;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    if (stop) return std::nullopt;
    const size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
    digest.size += count;
    if (digest.size > most) return std::nullopt;
    sha.Add(std::string_view(buffer.data(), count));
    if (count < buffer.size()) break;
  }
  if (std::ferror(file.get())) throw IoError("Could not read", path, "A read failed");
  digest.sha256 = sha.HexDigest();
  digest.path = path;
  if (before && before == StateOfOpenFile(file.get())) state = before;
  return digest;
}

std::optional<Written> RecordedAs(const std::string& path, const std::string& record_file) {
  for (Written& entry : ReadRecord(record_file)) {
    if (entry.path == path) return std::move(entry);
  }
  return std::nullopt;
}

// `ahead`, the file as read before in the state `ahead_state`, counts while
// the file is in that state still.
bool IsOurOwn(const std::string& path, const std::string& record_file, const std::optional<Written>& ahead,
              const std::optional<FileState>& ahead_state) {
  const std::optional<Written> entry = RecordedAs(path, record_file);
  if (!entry) return false;
  try {
    std::optional<Written> digest = ahead;
    if (!ahead || !ahead_state || StateOfEntry(path) != ahead_state) {
      const std::atomic<bool> go_on{false};
      std::optional<FileState> state;
      digest = Digest(path, entry->size, go_on, state);
    }
    return digest && digest->size == entry->size && digest->sha256 == entry->sha256;
  } catch (const IoError&) {
    return false;
  }
}

std::string KeepAside(const std::string& path) {
  for (int number = 0; number < 1000; ++number) {
    const std::string aside = path + (number == 0 ? "" : "." + std::to_string(number)) + ".bak";
    if (RenameIfFree(path, aside)) return aside;
  }
  throw IoError("Could not keep aside", path, "Every name from .bak to .999.bak is taken");
}

}  // namespace

EarlierFile::EarlierFile(std::string path, std::string record_file)
    : path_(std::move(path)), record_file_(std::move(record_file)) {
  try {
    thread_ = std::thread([this] { ReadAhead(); });
  } catch (const std::system_error&) {
    // No thread to spare: the file is read at the rename instead.
  }
}

EarlierFile::~EarlierFile() {
  stop_ = true;
  WaitForReadingAhead();
}

// Any failure here only leaves the reading to the rename.
void EarlierFile::ReadAhead() {
  try {
    const std::optional<Written> entry = RecordedAs(path_, record_file_);
    if (!entry) return;
    const std::optional<Written> digest = Digest(path_, entry->size, stop_, ahead_state_);
    if (!digest) return;
    ahead_size_ = digest->size;
    ahead_sha256_ = digest->sha256;
  } catch (const std::exception&) {
    ahead_state_.reset();
  }
}

std::string EarlierFile::KeepAsideIfNotOurs() {
  WaitForReadingAhead();
  std::optional<Written> ahead;
  if (ahead_state_) ahead = Written{ahead_size_, ahead_sha256_, path_};
  if (!EntryExists(path_) || IsOurOwn(path_, record_file_, ahead, ahead_state_)) return "";
  return KeepAside(path_);
}

void RecordWrittenFile(const std::string& path, std::uint64_t size, const std::string& sha256,
                       const std::string& record_file) {
  std::vector<Written> written = ReadRecord(record_file);
  ReplacingLineWriter record(record_file);
  record.Print(kRecordHeading);
  record.Print(std::to_string(size) + " " + sha256 + " " + path);
  size_t kept = 1;
  for (const Written& entry : written) {
    if (entry.path == path || kept == kRecordedFiles) continue;
    record.Print(std::to_string(entry.size) + " " + entry.sha256 + " " + entry.path);
    ++kept;
  }
  record.Commit();
}

}  // namespace brantel
