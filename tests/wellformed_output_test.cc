// Whatever bytes old INI files hold, the combined file must stay well-formed
// XML: MAME refuses the whole file otherwise.
#include <expat.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/convert.h"
#include "engine/plain_window.h"
#include "tests/convert_fixture.h"

namespace brantel {
namespace {

using namespace testing;

struct ParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Empty when the document is well-formed, otherwise expat's complaint.
std::string WellFormednessError(const std::string& document) {
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
  if (XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), 1) ==
      XML_STATUS_OK) {
    return "";
  }
  return std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
         std::to_string(XML_GetCurrentLineNumber(parser.get())) + ", column " +
         std::to_string(XML_GetCurrentColumnNumber(parser.get()));
}

class RandomIni {
 public:
  explicit RandomIni(unsigned seed) : random_(seed) {}

  std::string Name() {
#ifdef _WIN32
    // Windows refuses < > " and control characters in file names, and the test
    // folder's helpers name files in UTF-8 where the engine uses the ANSI code
    // page, so the names keep to the ASCII characters that Windows allows.
    static const std::string kPieces[] = {"pac", "man", "&", "'", "-", "--", " ", "_EXT", "x"};
#else
    static const std::string kPieces[] = {"pac", "man", "&", "<", ">", "\"", "'", "-", "--",
                                          "\xE9", "\xC3\xA9", "\x01", " ", "_EXT", "x"};
#endif
    std::string name;
    for (int i = Below(4); i >= 0; --i) name += kPieces[Below(std::size(kPieces))];
    return name + std::to_string(counter_++) + ".ini";
  }

  std::string Content() {
    std::string text;
    for (int line = Below(12); line > 0; --line) text += Below(3) == 0 ? Bytes() : Line();
    return text;
  }

 private:
  int Below(size_t n) { return static_cast<int>(random_() % n); }

  std::string Bytes() {
    std::string bytes;
    for (int i = Below(40); i > 0; --i) bytes += static_cast<char>(Below(256));
    return bytes;
  }

  std::string Line() {
    static const std::string kWords[] = {"P1_BUTTON1", "P1_PADDLE", "_EXT", "\"", "\"", "|", "#",
                                         "--", "-", " ", "\t", "&", "<", ">", "]]>", "<!--", "-->",
                                         "KEY_A", "ctrlrname", "\xFF\xFE", "\xEF\xBF\xBF",
                                         "\xED\xA0\x80", "\x0B", "\n", "\r"};
    std::string line;
    for (int i = Below(10); i >= 0; --i) line += kWords[Below(std::size(kWords))];
    return line + (Below(4) == 0 ? "\n" : "\r\n");
  }

  std::mt19937 random_;
  int counter_ = 0;
};

class WellFormedOutputTest : public ConvertFixture {};

TEST_F(WellFormedOutputTest, RandomIniFilesAlwaysGiveWellFormedXml) {
  constexpr int kRuns = 40;
  constexpr int kFilesPerRun = 60;
  for (int run = 0; run < kRuns; ++run) {
    RandomIni random(static_cast<unsigned>(run));
    std::string master_list;
    if (run % 2 == 0) WriteIni("default.ini", random.Content());
    for (int file = 0; file < kFilesPerRun; ++file) {
      std::string name = random.Name();
      WriteIni(name, random.Content());
      master_list += name.substr(0, name.size() - 4) + "|d|y|m|" + (file % 3 ? "p" : name.substr(0, name.size() - 4)) +
                     "|MAME|s||" + (file % 5 ? "1" : "") + "\r\n";
    }
    InstallStandInListGenerator(folder_, "program", master_list);
    PlainWindow window;
    window.SetText1("old");
    window.SetText2(Mame() + "\\");
    ASSERT_EQ(ConvertFolder(window, Program()), ConvertResult::kCompleted)
        << "seed " << run << ": " << window.messages().back().prompt;
    std::string error = WellFormednessError(folder_.Read("mame/ctrlr/old.cfg"));
    ASSERT_EQ(error, "") << "seed " << run;
    for (const std::string& name : OldFolderNames()) {
      std::filesystem::remove(folder_.path() + "/mame/ctrlr/old/" + name);
    }
  }
}

}  // namespace
}  // namespace brantel
