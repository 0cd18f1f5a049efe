#include "engine/text_rules.h"


#include <gtest/gtest.h>

namespace brantel {
namespace {

// Lead bytes of code page 932 (Shift JIS).
bool IsShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

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
