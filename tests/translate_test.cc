#include "engine/translate.h"

#include <gtest/gtest.h>

#include "engine/io/io_error.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace testing;

// The intermediate lines for one INI line, without the five framing lines.
std::vector<std::string> Body(const std::string& ini_line) {
  std::vector<std::string> lines = IntermediateLines("x", {ini_line});
  return std::vector<std::string>(lines.begin() + 3, lines.end() - 2);
}

std::vector<std::string> Block(const std::string& port, const std::string& type,
                               const std::string& sequence) {
  return {"", PortLine(port), NewseqLine(type, sequence), ClosingLine()};
}

TEST(TranslateIniFileTest, WritesTheSampleCfgBesideTheIni) {
  TestFolder folder;
  folder.Write("sample.ini", SampleIni());
  folder.Write("sample.cfg", "an older file of the same name");
  TranslateIniFile(folder.path(), "sample.ini");
  EXPECT_EQ(folder.Read("sample.cfg"), SampleCfg());
  EXPECT_EQ(folder.Read("sample.ini"), SampleIni());
}

TEST(TranslateIniFileTest, CutsTheExtensionByCount) {
  TestFolder folder;
  folder.Write("SAMPLE.INI", "");
  TranslateIniFile(folder.path(), "SAMPLE.INI");
  EXPECT_EQ(folder.Read("SAMPLE.cfg"),
            CrLf({"<system name=\"SAMPLE\">", Spaces(14) + "<input>", "", Spaces(14) + "</input>",
                  "</system>"}));
}

TEST(TranslateIniFileTest, MissingIniIsAnErrorNamingIt) {
  TestFolder folder;
  EXPECT_THROW(TranslateIniFile(folder.path(), "gone.ini"), IoError);
  EXPECT_FALSE(folder.Exists("gone.cfg"));
}

TEST(IniLineTest, CommentsAndNothing) {
  EXPECT_TRUE(Body(" \t  \t").empty());
  EXPECT_EQ(Body("P1_BUTTON1 \"KEY_#\""), std::vector<std::string>{"<!-- P1_BUTTON1 \"KEY_#\" -->"});
  EXPECT_EQ(Body("[pacman]"), std::vector<std::string>{"<!-- [pacman] -->"});
  EXPECT_EQ(Body("  ctrlrname \"Panel\""), std::vector<std::string>{"<!-- ctrlrname  -->"});
  EXPECT_EQ(Body("CtrlrName \"Panel\""), Block("CtrlrName", "standard", "Panel"));
}

TEST(IniLineTest, ValuesAndSequenceTexts) {
  EXPECT_EQ(Body("P1_UP \"KEY_A\tKEY_B\""), Block("P1_UP", "standard", "KEY_AKEY_B"));
  EXPECT_EQ(Body("P1_UP \"\""), Block("P1_UP", "standard", ""));
  EXPECT_EQ(Body("P1_UP \" | |  \""), Block("P1_UP", "standard", ""));
  EXPECT_EQ(Body("P1_UP \"KEY_A|KEY_B"), Block("P1_UP", "standard", "KEY_A OR KEY_B"));
  EXPECT_EQ(Body("P1_UP \"|KEY_A||  KEY_B\""), Block("P1_UP", "standard", "KEY_A OR KEY_B"));
  EXPECT_EQ(Body("\"KEY_A\""), Block("", "standard", "KEY_A"));
  EXPECT_EQ(Body("P1_UP \"KEY_A\" \"KEY_B\""), Block("P1_UP", "standard", "KEY_A"));
  EXPECT_EQ(Body("P1_UP = \"KEY_A\""), Block("P1_UP =", "standard", "KEY_A"));
}

TEST(IniLineTest, AnalogHalvesAndTheirTypes) {
  EXPECT_EQ(Body("P1_PADDLE_EXT \"K\""), Block("P1_PADDLE", "decrement", "K"));
  EXPECT_EQ(Body("P1_EXT_DIAL_EXT \"K\""), Block("P1_DIAL", "decrement", "K"));
  EXPECT_EQ(Body("p1_paddle \"K\""), Block("p1_paddle", "standard", "K"));
  EXPECT_EQ(Body("P1_DIAL_ext \"K\""), Block("P1_DIAL_ext", "increment", "K"));
  EXPECT_EQ(Body("DIALS \"K\""), Block("DIALS", "increment", "K"));
  EXPECT_EQ(Body("P2_PEDAL2 \"K\""), Block("P2_PEDAL2", "increment", "K"));
  EXPECT_EQ(Body("P1_AD_STICK_X \"K\""), Block("P1_AD_STICK_X", "increment", "K"));
  EXPECT_EQ(Body("P1_TRACKBALL_Y \"K\""), Block("P1_TRACKBALL_Y", "increment", "K"));
  EXPECT_EQ(Body("P1_LIGHTGUN_X \"K\""), Block("P1_LIGHTGUN_X", "increment", "K"));
}

TEST(IniLineTest, LineFeedFileBecomesOneLine) {
  EXPECT_EQ(Body("# one\nP1_UP \"K\"\n"), std::vector<std::string>{"<!-- # oneP1_UP \"K\" -->"});
}

TEST(IniLineTest, WrittenTextsStayWellFormedXml) {
  EXPECT_EQ(Body("# ---- Player 1 ----"), std::vector<std::string>{"<!-- # - - - - Player 1 - - - - -->"});
  EXPECT_EQ(Body("A&B<\"x>y\""), Block("A&amp;B&lt;", "standard", "x&gt;y"));
  EXPECT_EQ(Body("[caf\xE9]"), std::vector<std::string>{"<!-- [caf\xC3\xA9] -->"});
  EXPECT_EQ(Body("[caf\xC3\xA9]"), std::vector<std::string>{"<!-- [caf\xC3\xA9] -->"});
  EXPECT_EQ(Body("P1\x01_UP \"K\x1F\""), Block("P1_UP", "standard", "K"));
  EXPECT_EQ(IntermediateLines("a&b", {})[0], "<system name=\"a&amp;b\">");
}

}  // namespace
}  // namespace brantel
