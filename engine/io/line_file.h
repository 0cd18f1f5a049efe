// Line files: single-byte text read one line at a time, or written one print
// statement at a time. Bytes pass through unchanged; a print statement ends
// in CR LF.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/io/open_file.h"
#include "engine/io/utf16_decoder.h"

namespace brantel {

// Reads a file one line at a time, holding no more of it than the longest
// line. A line ends at CR LF, at CR or at LF, as files from every system
// come; a last line without a line end ends at the end of the file.
class LineReader {
 public:
  // Whether a byte-order mark at the start tells how the text is stored:
  // UTF-8's is skipped, and UTF-16 text (either byte order) is read as
  // UTF-8, as Notepad's files must be. Otherwise bytes pass unchanged.
  enum class Marks { kIgnore, kHonour };

  // Throws IoError naming `path` when the file cannot be opened. A line
  // longer than `line_limit` bytes is cut to that many; the rest of it is
  // read past without being kept.
  explicit LineReader(const std::string& path, Marks marks = Marks::kIgnore,
                      size_t line_limit = std::string::npos);
  // For a file of someone else's that must never hold the program up: only
  // an ordinary file is opened (see OpenOrdinaryFile), and no more than its
  // first `size_limit` bytes are read, the rest taken as past its end.
  struct Limits {
    size_t line_limit;
    std::uint64_t size_limit;
  };
  LineReader(const std::string& path, Marks marks, Limits limits);

  // True when the line ReadLine returned last was cut.
  bool LastLineCut() const { return last_line_cut_; }
  // True when the line ReadLine returned last ended in CR LF.
  bool LastLineEndedInCrLf() const { return last_line_crlf_; }

  // Throws IoError when the file cannot be read.
  bool AtEnd();
  // Throws IoError when the file is already at its end or cannot be read,
  // and when there is not memory enough for the line.
  std::string ReadLine();
  // The same as a view, valid until the next call.
  std::string_view ReadLineView();

 private:
  std::string_view ReadLineWhole();
  bool Fill();
  size_t ReadChunk();
  void ReadByteOrderMark();

  bool at_end_of_file_ = false;  // the last read came short
  bool read_before_ = false;      // a chunk was read: a big file's next ones check for a stop
  std::string path_;
  FileHandle file_;
  Marks marks_;
  std::optional<Utf16Decoder> utf16_;  // set for UTF-16 text
  std::unique_ptr<char[]> chunk_;  // the room a piece is read into
  std::string raw_;
  std::string buffer_;
  std::string line_;  // a line that goes on past the piece read
  size_t position_ = 0;
  size_t line_limit_;
  std::uint64_t bytes_left_ = UINT64_MAX;
  bool last_line_cut_ = false;
  bool last_line_crlf_ = false;
};

// Print statements into an open file. Every statement starts at column 1; a
// statement may begin with zone advances, each one moving to the next
// 14-column zone. How the file ends (closed, or committed under its name) is
// the business of the class built on this one.
class LinePrinter {
 public:
  LinePrinter(const LinePrinter&) = delete;
  LinePrinter& operator=(const LinePrinter&) = delete;
  virtual ~LinePrinter() = default;

  // One statement: `zones` zone advances, the text unchanged, CR LF.
  void Print(std::string_view text, int zones = 0);
  // One statement holding an integer item: sign or space, digits, space.
  void PrintInteger(long value);

  const std::string& path() const { return path_; }

 protected:
  LinePrinter(std::string path, FileHandle file);
  // Every byte the file receives passes here; it reaches the file in pieces
  // of 64 KB.
  virtual void Write(std::string_view bytes);
  // Flushes and closes; throws IoError when the data did not reach the disk.
  // `durable` waits until it is on the disk itself.
  void CloseFile(bool durable = false);
  // Writes what is held and waits until it is on the disk, keeping the file
  // open; throws IoError when it could not.
  void FlushToTheDisk();

 private:
  void WriteBlock();
  void WriteNow(std::string_view bytes);

  std::string path_;
  FileHandle file_;
  std::string pending_;
  std::string block_;
};

// A file written in place.
class LineWriter : public LinePrinter {
 public:
  // Creates the file anew: an existing entry of that name (a file, or a link,
  // never what it points to) is removed first and the new file is created
  // exclusively. Throws IoError naming `path` on failure.
  explicit LineWriter(const std::string& path);

  // Flushes and closes; throws IoError when the data did not reach the disk.
  void Close() { CloseFile(); }
};

// A new file of a unique short name in the folder of `target_path`,
// created exclusively. Throws IoError naming the target on failure.
struct TemporaryFile {
  std::string path;
  FileHandle file;
};
TemporaryFile CreateTemporaryFileBeside(const std::string& target_path);
// True for the names those files get ("~bt" and six letters or digits, ".tmp").
bool IsTemporaryFileName(const std::string& name);
// A new such name, picked at random.
std::string NewTemporaryFileName();

// A file that appears under its name only when Commit succeeds (path() and
// failures name the target, as the temporary name means nothing to the user):
// it writes a temporary file beside the target and renames it over the target
// (over a link of that name, not through it). Destroyed without a commit, it
// removes the temporary file and leaves any earlier file of the target name
// as it was. It has no Close: a file closed uncommitted is a file lost.
class ReplacingLineWriter : public LinePrinter {
 public:
  explicit ReplacingLineWriter(const std::string& target_path);
  ~ReplacingLineWriter() override;

  // Makes the temporary file reach the disk, renames it over the target
  // while still holding it open, and closes it; `before_rename`, when given,
  // is called before the rename.
  void Commit(const std::function<void()>& before_rename = {});

 private:
  ReplacingLineWriter(const std::string& target_path, TemporaryFile temporary);

  std::string temporary_path_;
  bool committed_ = false;
};

}  // namespace brantel
