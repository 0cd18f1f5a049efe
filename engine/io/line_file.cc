#include "engine/io/line_file.h"

#include <cerrno>
#include <cstdio>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"

namespace brantel {
namespace {

constexpr int kZoneWidth = 14;

std::string ReadAll(const std::string& path) {
  FileHandle file = OpenFile(path, OpenMode::kRead, "Could not open the file for reading");
  std::string content;
  char buffer[1 << 16];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    content.append(buffer, count);
  }
  if (std::ferror(file.get())) throw IoError("Could not read", path, SystemReason(errno));
  return content;
}

}  // namespace

void FileCloser::operator()(std::FILE* file) const { std::fclose(file); }

LineReader::LineReader(const std::string& path) : path_(path), content_(ReadAll(path)) {}

std::string LineReader::ReadLine() {
  if (AtEnd()) throw IoError("Could not read past the end of", path_, "Input past end of file");
  size_t cr = content_.find('\r', position_);
  if (cr == std::string::npos) cr = content_.size();
  std::string line = content_.substr(position_, cr - position_);
  position_ = cr + 1;
  if (position_ < content_.size() && content_[position_] == '\n') ++position_;
  return line;
}

LineWriter::LineWriter(const std::string& path)
    : LineWriter(path, OpenFile(path, OpenMode::kReplace, "Could not create the file")) {}

LineWriter::LineWriter(std::string path, FileHandle file)
    : path_(std::move(path)), file_(std::move(file)) {}

void LineWriter::Print(std::string_view text, int zones) {
  // Every statement starts at column 1, so each advance moves a whole zone.
  pending_.assign(static_cast<size_t>(zones) * kZoneWidth, ' ');
  pending_.append(text);
  pending_.append("\r\n");
  Write(pending_);
}

void LineWriter::PrintInteger(long value) {
  std::string item = value < 0 ? "-" : " ";
  item += std::to_string(value < 0 ? -value : value);
  item += ' ';
  Print(item);
}

void LineWriter::Write(std::string_view bytes) {
  if (!file_) throw IoError("Could not write to the closed file", path_, "File already closed");
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
    throw IoError("Could not write to", path_, SystemReason(errno));
  }
}

void LineWriter::Close() {
  if (!file_) return;
  std::FILE* file = file_.release();
  errno = 0;
  bool flushed = std::fflush(file) == 0;
  int flush_error = errno;
  bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) throw IoError("Could not write to", path_, SystemReason(flushed ? errno : flush_error));
}

ReplacingLineWriter::ReplacingLineWriter(const std::string& target_path)
    : LineWriter(target_path + ".partial",
                 OpenFile(target_path + ".partial", OpenMode::kReplace, "Could not create the file")),
      target_path_(target_path) {}

ReplacingLineWriter::~ReplacingLineWriter() {
  if (committed_) return;
  try {
    LineWriter::Close();
  } catch (const IoError&) {
    // The temporary file is removed below in any case.
  }
  try {
    RemoveFile(path());
  } catch (const IoError&) {
    // Nothing more can be done from a destructor.
  }
}

void ReplacingLineWriter::Commit() {
  LineWriter::Close();
  RenameOver(path(), target_path_);
  committed_ = true;
}

}  // namespace brantel
