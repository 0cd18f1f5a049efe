#include "engine/io/line_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/io/io_error.h"
#include "tests/test_folder.h"

namespace brantel {
namespace {

using test_support::CrLf;
using test_support::TestFolder;

constexpr size_t kChunk = 1 << 16;  // what one read takes, and the line limit below

// Each line as read, " (cut)" added to one cut at the limit.
std::vector<std::string> ReadLines(const std::string& path, LineReader::Marks marks = LineReader::Marks::kIgnore) {
  std::vector<std::string> lines;
  for (LineReader reader(path, marks, kChunk); !reader.AtEnd();) {
    lines.push_back(reader.ReadLine());
    if (reader.LastLineCut()) lines.back() += " (cut)";
  }
  return lines;
}

// Byte-order marks are honoured; a second mark is text.
TEST(LineReaderTest, SplitsAtEveryLineEndInEveryEncoding) {
  TestFolder folder;
  using namespace std::string_literals;
  const std::string x(kChunk - 1, 'x'), y(kChunk, 'y');
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } kCases[] = {
      {"one\r\ntwo\r\n", {"one", "two"}}, {"one\ntwo\n", {"one", "two"}},   {"one\rtwo", {"one", "two"}},
      {"x\r\r\n\r\n", {"x", "", ""}},    {"a\n\rb\r\n\nc", {"a", "", "b", "", "c"}}, {"", {}},
      {"a\n\n\nb", {"a", "", "", "b"}},    {x + "\r\nb", {x, "b"}},  {y + "\n" + y + "y", {y, y + " (cut)"}},
      {"\xEF\xBB\xBF" + x.substr(3) + "\n\xEF\xBB\xBFz", {x.substr(3), "\xEF\xBB\xBFz"}},  // at the second read
      // UTF-16: U+20AC U+3042, an unpaired surrogate (either half), an odd last byte.
      {"\xFF\xFE\xAC\x20\x42\x30\x00\xD8\r\x00\x00\xD8z\x00\x00\xDC\n\x00z"s,
       {"\xE2\x82\xAC\xE3\x81\x82\xEF\xBF\xBD", "\xEF\xBF\xBDz\xEF\xBF\xBD", "\xEF\xBF\xBD"}},
      {"\xFE\xFF\x00z\xD8\x3C\xDF\xAE"s, {"z\xF0\x9F\x8E\xAE"}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ReadLines(folder.Write("a", c.bytes), LineReader::Marks::kHonour), c.lines) << c.bytes.substr(0, 40);
  }
}

TEST(LineReaderTest, PassesEveryByteThrough) {
  TestFolder folder;
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != '\r' && byte != '\n') bytes += static_cast<char>(byte);
  }
  EXPECT_EQ(ReadLines(folder.Write("all", bytes)), (std::vector<std::string>{bytes}));
}

TEST(LineReaderTest, FailuresNameTheFileAndReason) {
  TestFolder folder;
  try {
    LineReader reader(folder.path() + "/missing.ini");
    FAIL() << "a missing file opened";
  } catch (const IoError& error) {
    EXPECT_NE(std::string(error.what()).find("missing.ini"), std::string::npos);
    EXPECT_FALSE(error.reason().empty());
  }
  LineReader reader(folder.Write("one", "x"));
  reader.ReadLine();
  EXPECT_THROW(reader.ReadLine(), IoError);
}

TEST(LineWriterTest, PrintsZonesIntegersAndCrLf) {
  TestFolder folder;
  LineWriter writer(folder.path() + "/out.txt");
  writer.Print("</input>", 1);
  writer.Print("<port>", 2);
  writer.Print("<newseq>", 3);
  writer.Print("");
  writer.PrintInteger(1);
  writer.PrintInteger(0);
  writer.PrintInteger(-7);
  writer.Print(std::string(kChunk, 'x'));  // goes out after the lines before it
  writer.Close();
  EXPECT_EQ(folder.Read("out.txt"),
            std::string(14, ' ') + "</input>\r\n" + std::string(28, ' ') + "<port>\r\n" +
                std::string(42, ' ') + "<newseq>\r\n\r\n 1 \r\n 0 \r\n-7 \r\n" + std::string(kChunk, 'x') + "\r\n");
}

TEST(ReplacingLineWriterTest, KeepsTheOldFileUntilCommitted) {
  TestFolder folder;
  folder.Write("combined.cfg", "old");
  {
    ReplacingLineWriter writer(folder.path() + "/combined.cfg");
    writer.Print("half");
    EXPECT_EQ(folder.Read("combined.cfg"), "old");
  }  // abandoned: a failure on the way
  EXPECT_EQ(folder.Read("combined.cfg"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

  ReplacingLineWriter writer(folder.path() + "/combined.cfg");
  writer.Print("new");
  writer.Commit();
  EXPECT_EQ(folder.Read("combined.cfg"), CrLf({"new"}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace brantel
