#include "engine/text_rules.h"

#include "engine/mame_ini_text.h"
#include "engine/mame_use.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace brantel {
namespace {

// Lead bytes of code page 932 (Shift JIS).
bool IsShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Options set in a mame.ini as MAME reads it: the last line setting one
// takes the new value; every other byte stays; a new line ends as the
// file's first does.
TEST(TextRulesTest, MameIniOptionsSetKeepEveryOtherByte) {
  const std::vector<MameIniOption> both = {{"ctrlrpath", "/h/.mame/ctrlr;ctrlr"}, {"ctrlr", "arcade"}};
  const struct {
    std::string before;
    std::vector<MameIniOption> options;
    std::string after;
  } kCases[] = {
      {"", both, "ctrlrpath /h/.mame/ctrlr;ctrlr\nctrlr arcade\n"},
      {"# mine\r\nrompath roms\r\n", both, "# mine\r\nrompath roms\r\nctrlrpath /h/.mame/ctrlr;ctrlr\r\nctrlr arcade\r\n"},
      {"rompath roms", {{"ctrlr", "arcade"}}, "rompath roms\nctrlr arcade\n"},
      {"a b\rc d\r", {{"ctrlr", "arcade"}}, "a b\rc d\rctrlr arcade\r"},
      // As MAME writes it: the name padded, no value.
      {"ctrlr                     \r\nctrlrpath                 ctrlr\r\n", both,
       "ctrlr arcade\r\nctrlrpath /h/.mame/ctrlr;ctrlr\r\n"},
      {"ctrlr a\nctrlr b\n", {{"ctrlr", "arcade"}}, "ctrlr a\nctrlr arcade\n"},
      {"  ctrlr\t\"my cab\" # mine\n#ctrlr old\n", {{"ctrlr", "arcade"}}, "  ctrlr arcade # mine\n#ctrlr old\n"},
      {"ctrlr    #none\n", {{"ctrlr", "arcade"}}, "ctrlr arcade #none\n"},
      {"ctrlr\n", {{"ctrlr", "my cab"}}, "ctrlr\nctrlr \"my cab\"\n"},  // a name alone sets nothing
      {"ctrlrpathx a\n", {{"ctrlrpath", "x#y"}}, "ctrlrpathx a\nctrlrpath \"x#y\"\n"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(WithMameIniOptions(c.before, c.options), c.after) << c.before;
    for (const MameIniOption& option : c.options) EXPECT_EQ(MameIniValue(c.after, option.name), option.value) << c.after;
  }
}

#ifndef _WIN32
// Paths of MAME's search paths as MAME 0.251 opens them on POSIX.
TEST(TextRulesTest, MameExpandsTildeAndVariablesInItsPaths) {
  setenv("BRANTEL_T", "/t", 1);
  unsetenv("BRANTEL_NONE");
  const std::string home = std::getenv("HOME");
  const struct {
    const char* path;
    std::string expanded;
  } kCases[] = {
      {"~/mame/ctrlr", home + "/mame/ctrlr"}, {"~", home}, {"~x/ctrlr", "~x/ctrlr"}, {"a/~/b", "a/~/b"},
      {"${HOME}/c", home + "/c"}, {"$HOME/c", home + "/c"}, {"$BRANTEL_T-x", "/t-x"}, {"${BRANTEL_T}x", "/tx"},
      {"$BRANTEL_NONE/c", "/c"}, {"${BRANTEL_NONE}/c", "/c"}, {"${HOME/c", "${HOME/c"}, {"a$", "a$"}, {"$-a", "$-a"},
      {"ctrlr", "ctrlr"},
  };
  for (const auto& c : kCases) EXPECT_EQ(AsMameExpands(c.path), c.expanded) << c.path;
}
#endif

TEST(TextRulesTest, BackslashEndsATextOnlyAsACharacterOfItsOwn) {
  const struct {
    const char* text;
    bool ends_with_backslash;
  } cases[] = {
      {"C:\\mame\\", true},         {"C:\\mame", false},          {"", false},
      {"C:\\\x95\x5C", false},      // "表": the 0x5C is its second byte
      {"C:\\\x95\x5C\\", true},     {"C:\\\x82\xA0\x5C", true},  // "あ" then "\"
      {"\x5C\x95\x5C", false},      {"C:\\\x95", false},          // a lead byte cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EndsWithBackslash(c.text, IsShiftJisLeadByte), c.ends_with_backslash) << c.text;
  }
  EXPECT_EQ(PathPieces("a\\\x95\x5Cnul\\", IsShiftJisLeadByte),
            (std::vector<std::string>{"a", "\x95\x5Cnul", ""}));
  EXPECT_EQ(WithoutQuotes("\"C:\\Program Files\\MAME\\\""), "C:\\Program Files\\MAME\\");
}

TEST(TextRulesTest, WindowsCommandLineWordsNeverHoldQuotes) {
  using Words = std::vector<std::string>;
  const struct {
    const char* line;
    Words words;
  } cases[] = {
      {R"(b.exe hotrod "C:\Program Files\MAME\" mame64.exe)",
       {"b.exe", "hotrod", R"(C:\Program Files\MAME\)", "mame64.exe"}},
      {R"("b.exe" "C:\MAME\\" "")", {"b.exe", R"(C:\MAME\)", ""}},
      {"b.exe  \t a\\\\b \\\\server\\x\\ ", {"b.exe", "a\\\\b", "\\\\server\\x\\"}},
      {R"(b.exe C:\a"b c"\d)", {"b.exe", R"(C:\ab c\d)"}},
      {R"(b.exe "\"C:\MAME\"" "a\\\"" \"x\" y)", {"b.exe", R"(C:\MAME)", R"(a\)", "x", "y"}},  // escaped
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitWindowsCommandLine(c.line), c.words) << c.line;
}

TEST(TextRulesTest, DeviceNamesWithAnyExtensionAndCase) {
  for (const char* name : {"nul", "NUL.ini", "Aux.cfg", "con", "prn.x.y", "COM1.ini", "lpt9", "nul .ini", "CONIN$.ini",
                           "conout$"}) {
    EXPECT_TRUE(IsWindowsDeviceName(name)) << name;
  }
  for (const char* name : {"null.ini", "com0.ini", "com10", "lpt", "xaux.ini", "console.ini", "", ".nul", "conin.ini"}) {
    EXPECT_FALSE(IsWindowsDeviceName(name)) << name;
  }
}

}  // namespace
}  // namespace brantel
