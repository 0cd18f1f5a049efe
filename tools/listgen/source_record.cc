#include "tools/listgen/source_record.h"

#include <chrono>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/host_path.h"
#include "engine/program_files.h"
#include "engine/text_rules.h"

namespace listgen {
namespace {

namespace fs = std::filesystem;

// Changes whenever the lines of the master list change, so that a list of an
// older form is made anew.
constexpr int kListFormat = 1;

constexpr std::string_view kVersionLabel = brantel::kRecordedVersionLabel;
constexpr std::size_t kVersionLine = 4;

// The record's lines; the version line holds `version` after its label.
std::vector<std::string> RecordLines(const std::string& mame_program, const FileStamp& mame,
                                     const std::string& version, const FileStamp& list) {
  return {
      "brantel list generator, list format " + std::to_string(kListFormat),
      brantel::kRecordedMameLabel + mame_program,
      "MAME size: " + std::to_string(mame.size),
      "MAME modified: " + std::to_string(mame.modified),
      std::string(kVersionLabel) + version,
      "masterlist.lst size: " + std::to_string(list.size),
      "masterlist.lst modified: " + std::to_string(list.modified),
  };
}

// A record holds a few lines of a path's length; a larger file is none of ours.
constexpr unsigned long long kRecordSizeLimit = 64 * 1024;
constexpr std::size_t kMostRecordLines = 16;

// Only an ordinary file is opened: a FIFO would make the open wait for ever.
std::optional<std::vector<std::string>> ReadRecord(const std::string& record_file) {
  const std::optional<FileStamp> stamp = StampOf(record_file);
  if (!stamp || stamp->size > kRecordSizeLimit) return std::nullopt;
  try {
    std::vector<std::string> lines;
    brantel::LineReader reader(record_file, brantel::LineReader::Marks::kIgnore, kRecordSizeLimit);
    while (!reader.AtEnd() && lines.size() < kMostRecordLines) lines.push_back(reader.ReadLine());
    return lines;
  } catch (const brantel::IoError&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  const auto size = fs::file_size(path, error);
  if (error) return std::nullopt;
  const auto modified = fs::last_write_time(path, error);
  if (error) return std::nullopt;
  const auto since_1970 = std::chrono::file_clock::to_sys(modified).time_since_epoch();
  return FileStamp{static_cast<unsigned long long>(size),
                   static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since_1970).count())};
}

// The version is not asked of MAME here: that would start it on every
// Convert. It changes only with the program file, whose size and time the
// record holds.
bool ListIsUpToDate(const std::string& record_file, const std::string& mame_program,
                    const std::string& list_file) {
  const std::optional<FileStamp> mame = StampOf(mame_program);
  const std::optional<FileStamp> list = StampOf(list_file);
  if (!mame || !list) return false;
  const std::optional<std::vector<std::string>> record = ReadRecord(record_file);
  const std::vector<std::string> expected = RecordLines(mame_program, *mame, "", *list);
  if (!record || record->size() != expected.size()) return false;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const bool fits = i == kVersionLine ? brantel::StartsWith((*record)[i], kVersionLabel)
                                        : (*record)[i] == expected[i];
    if (!fits) return false;
  }
  return true;
}

void WriteSourceRecord(const std::string& record_file, const ListSource& source,
                       const std::string& list_file) {
  const std::optional<FileStamp> list = StampOf(list_file);
  if (!list) throw brantel::IoError("Could not look at the list just written", list_file, "not found");
  brantel::ReplacingLineWriter record(record_file);
  for (const std::string& line : RecordLines(source.mame_program, source.mame, source.version, *list)) {
    record.Print(line);
  }
  record.Commit();
}

}  // namespace listgen
