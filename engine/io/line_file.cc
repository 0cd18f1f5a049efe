#include "engine/io/line_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/stop_request.h"

namespace brantel {
namespace {

constexpr int kZoneWidth = 14;
// Files are opened without a buffer of the C library's (see OpenFile): the
// block here is one write for many lines.
constexpr size_t kWriteBlock = 1 << 16;
constexpr size_t kReadPiece = 1 << 16;


// A short name that matches none of the program's listings, so a folder name
// near the system's length limit still leaves room for it.
constexpr const char* kTemporaryStart = "~bt";
constexpr const char* kTemporaryEnd = ".tmp";
constexpr int kTemporaryRandomLength = 6;

// The first CR or LF from `from`, or npos: two searches that the library
// makes a few bytes at a time, rather than a test of each byte.
size_t FindLineEnd(const std::string& text, size_t from) {
  if (from >= text.size()) return std::string::npos;
  const char* start = text.data() + from;
  const size_t size = text.size() - from;
  const void* lf = std::memchr(start, '\n', size);
  const size_t before_lf = lf == nullptr ? size : static_cast<size_t>(static_cast<const char*>(lf) - start);
  const void* cr = std::memchr(start, '\r', before_lf);
  if (cr != nullptr) return from + static_cast<size_t>(static_cast<const char*>(cr) - start);
  return lf == nullptr ? std::string::npos : from + before_lf;
}

}  // namespace

std::string NewTemporaryFileName() {
  return kTemporaryStart + RandomNamePart(kTemporaryRandomLength) + kTemporaryEnd;
}

bool IsTemporaryFileName(const std::string& name) {
  const std::string start = kTemporaryStart, end = kTemporaryEnd;
  return name.size() == start.size() + kTemporaryRandomLength + end.size() && name.rfind(start, 0) == 0 &&
         name.compare(name.size() - end.size(), end.size(), end) == 0 &&
         IsRandomNamePart(name.substr(start.size(), kTemporaryRandomLength));
}

TemporaryFile CreateTemporaryFileBeside(const std::string& target_path) {
  const std::string folder = FolderOfFile(target_path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = JoinPath(folder, NewTemporaryFileName());
    bool exists = false;
    FileHandle file;
    try {
      file = CreateNewFile(path, exists);
    } catch (const IoError& error) {
      throw IoError("Could not create the file", target_path, error.reason());
    }
    if (file) return {std::move(path), std::move(file)};
  }
  throw IoError("Could not find a free temporary name beside", target_path, "File exists");
}

void FileCloser::operator()(std::FILE* file) const { std::fclose(file); }

LineReader::LineReader(const std::string& path, Marks marks, size_t line_limit)
    : path_(path), file_(OpenFile(path, OpenMode::kRead, "Could not open the file for reading")), marks_(marks),
      line_limit_(line_limit) {}

LineReader::LineReader(const std::string& path, Marks marks, Limits limits)
    : path_(path), file_(OpenOrdinaryFile(path, "Could not open the file for reading")), marks_(marks),
      line_limit_(limits.line_limit), bytes_left_(limits.size_limit) {}

size_t LineReader::ReadChunk() {
  const size_t chunk = static_cast<size_t>(std::min<std::uint64_t>(kReadPiece, bytes_left_));
  if (at_end_of_file_ || chunk == 0) {  // no read that is sure to find nothing
    raw_.clear();
    return 0;
  }
  // A big file gives a stop, or the window's turn, a chance at every chunk
  // but its first: a small file (a work folder's mark, read while cleaning
  // up after a stop) is read whole.
  if (read_before_) ThrowIfStopRequested();
  read_before_ = true;
  // Read into room that is not cleared first: most INI files are a small
  // part of a piece.
  if (!chunk_) chunk_ = std::make_unique_for_overwrite<char[]>(kReadPiece);
  errno = 0;
  const size_t count = std::fread(chunk_.get(), 1, chunk, file_.get());
  raw_.assign(chunk_.get(), count);
  if (count < chunk && std::ferror(file_.get())) throw IoError("Could not read", path_, SystemReason(errno));
  at_end_of_file_ = count < chunk;
  bytes_left_ -= count;
  return count;
}

// Only the first bytes of the file can be a mark.
void LineReader::ReadByteOrderMark() {
  marks_ = Marks::kIgnore;
  const std::string_view start(raw_);
  if (start.starts_with("\xEF\xBB\xBF")) {
    raw_.erase(0, 3);
  } else if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
    utf16_.emplace(start[0] == '\xFE');
    raw_.erase(0, 2);
  }
}

bool LineReader::Fill() {
  buffer_.clear();
  position_ = 0;
  while (buffer_.empty()) {
    // fread fills the whole chunk but at the end of the file, so a mark is
    // never cut in two.
    if (ReadChunk() == 0) {
      if (utf16_) utf16_->Finish(buffer_);
      return !buffer_.empty();
    }
    if (marks_ == Marks::kHonour) ReadByteOrderMark();
    if (utf16_) {
      utf16_->Decode(raw_, buffer_);
    } else {
      buffer_.swap(raw_);
    }
  }
  return true;
}

bool LineReader::AtEnd() { return position_ >= buffer_.size() && !Fill(); }

std::string LineReader::ReadLine() { return std::string(ReadLineView()); }

std::string_view LineReader::ReadLineView() {
  try {
    return ReadLineWhole();
  } catch (const std::bad_alloc&) {
    throw IoError("Could not read", path_, "Not enough memory for one of its lines");
  }
}

// A line that lies whole in the piece read is a view of it; one that goes on
// into the next piece is gathered in line_.
std::string_view LineReader::ReadLineWhole() {
  if (AtEnd()) throw IoError("Could not read past the end of", path_, "Input past end of file");
  line_.clear();
  bool gathered = false;
  last_line_cut_ = false;
  last_line_crlf_ = false;
  for (;;) {
    const size_t end = FindLineEnd(buffer_, position_);
    if (end == std::string::npos) {
      line_.append(buffer_, position_);
      gathered = true;
      if (line_.size() > line_limit_) {
        line_.resize(line_limit_);
        last_line_cut_ = true;
      }
      position_ = buffer_.size();
      if (!Fill()) return line_;
      continue;
    }
    std::string_view line = std::string_view(buffer_).substr(position_, end - position_);
    if (gathered) {
      line_.append(line);
      line = line_;
    }
    if (line.size() > line_limit_) {
      line = line.substr(0, line_limit_);
      last_line_cut_ = true;
    }
    position_ = end + 1;
    if (buffer_[end] == '\r') {
      // Looking for the LF may read the next piece over this one.
      if (!gathered && position_ >= buffer_.size()) line = line_.assign(line);
      if (!AtEnd() && buffer_[position_] == '\n') {
        ++position_;
        last_line_crlf_ = true;
      }
    }
    return line;
  }
}

LinePrinter::LinePrinter(std::string path, FileHandle file)
    : path_(std::move(path)), file_(std::move(file)) {}

LineWriter::LineWriter(const std::string& path)
    : LinePrinter(path, (RemoveEntryIfPresent(path), OpenFile(path, OpenMode::kCreateNew, "Could not create the file"))) {}

void LinePrinter::Print(std::string_view text, int zones) {
  // Every statement starts at column 1, so each advance moves a whole zone.
  pending_.assign(static_cast<size_t>(zones) * kZoneWidth, ' ');
  if (text.size() >= kWriteBlock) {  // a long line is not copied once more
    if (!pending_.empty()) Write(pending_);
    Write(text);
    Write("\r\n");
    return;
  }
  pending_.append(text);
  pending_.append("\r\n");
  Write(pending_);
}

void LinePrinter::PrintInteger(long value) {
  std::string item = value < 0 ? "-" : " ";
  item += std::to_string(value < 0 ? -value : value);
  item += ' ';
  Print(item);
}


void LinePrinter::Write(std::string_view bytes) {
  if (!file_) throw IoError("Could not write to the closed file", path_, "File already closed");
  if (bytes.size() >= kWriteBlock) {  // a long line is not copied once more
    WriteBlock();
    WriteNow(bytes);
    return;
  }
  block_.append(bytes);
  if (block_.size() >= kWriteBlock) WriteBlock();
}

void LinePrinter::WriteBlock() {
  WriteNow(block_);
  block_.clear();
}

void LinePrinter::WriteNow(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
    throw IoError("Could not write to", path_, SystemReason(errno));
  }
}

void LinePrinter::CloseFile(bool durable) {
  if (!file_) return;
  WriteBlock();
  std::FILE* file = file_.release();
  errno = 0;
  bool flushed = std::fflush(file) == 0 && (!durable || FlushToDisk(file));
  int flush_error = errno;
  bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) throw IoError("Could not write to", path_, SystemReason(flushed ? errno : flush_error));
}

void LinePrinter::FlushToTheDisk() {
  if (!file_) throw IoError("Could not write to the closed file", path_, "File already closed");
  WriteBlock();
  errno = 0;
  if (std::fflush(file_.get()) != 0 || !FlushToDisk(file_.get())) {
    throw IoError("Could not write to", path_, SystemReason(errno));
  }
}

ReplacingLineWriter::ReplacingLineWriter(const std::string& target_path)
    : ReplacingLineWriter(target_path, CreateTemporaryFileBeside(target_path)) {}

ReplacingLineWriter::ReplacingLineWriter(const std::string& target_path, TemporaryFile temporary)
    : LinePrinter(target_path, std::move(temporary.file)), temporary_path_(std::move(temporary.path)) {}

ReplacingLineWriter::~ReplacingLineWriter() {
  if (committed_) return;
  try {
    CloseFile();
  } catch (const IoError&) {
    // The temporary file is removed below in any case.
  }
  try {
    RemoveEntryIfPresent(temporary_path_);
  } catch (const IoError&) {
    // Nothing more can be done from a destructor; the name is ours alone.
  }
}

// Renamed while it is still open: a clean-up of left-over temporary files
// beside it (another Convert's, say) leaves a file in use alone, and never
// finds this one unheld.
void ReplacingLineWriter::Commit(const std::function<void()>& before_rename) {
  FlushToTheDisk();
  if (before_rename) before_rename();
  RenameOver(temporary_path_, path());
  committed_ = true;
  // Every byte is on the disk under its name already: a failing close can
  // take nothing from the file, and must not turn the replacement into a
  // failure.
  try {
    CloseFile();
  } catch (const IoError&) {
  }
}

}  // namespace brantel
