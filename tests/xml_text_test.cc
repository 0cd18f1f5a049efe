#include "engine/xml_text.h"

#include <gtest/gtest.h>

namespace brantel {
namespace {

TEST(XmlTextTest, CleanAsciiIsUnchanged) {
  std::string ascii;
  for (int c = 0x20; c < 0x7F; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(ToXmlCharacters(ascii), ascii);
  EXPECT_EQ(XmlEscapedText("KEYCODE_A OR JOYCODE_1_BUTTON1"), "KEYCODE_A OR JOYCODE_1_BUTTON1");
}

TEST(XmlTextTest, EscapesMarkupWithAmpersandFirst) {
  EXPECT_EQ(XmlEscapedText("a&b<c>d\"e&amp;"), "a&amp;b&lt;c&gt;d&quot;e&amp;amp;");
  EXPECT_EQ(XmlEscapedText("a\rb\nc\td"), "a&#13;b&#10;c&#9;d");
}

TEST(XmlTextTest, CommentsNeverHoldTwoNeighbouringHyphens) {
  EXPECT_EQ(XmlCommentText("--"), "- -");
  EXPECT_EQ(XmlCommentText("# ---- P1 ----"), "# - - - - P1 - - - -");
  EXPECT_EQ(XmlCommentText("a-b & <c>"), "a-b & <c>");
}

// Put back together the pieces are the text; each is short enough and of
// whole characters.
TEST(XmlTextTest, LongCommentsSplitBetweenCharacters) {
  const std::string text = XmlCommentText("a--\xC3\xA9\xE2\x82\xAC-\xF0\x9F\x8E\xAE--b \xC3\xA9\xC3\xA9");
  for (size_t longest = 4; longest <= text.size(); ++longest) {
    std::string joined;
    for (const std::string_view piece : CommentPieces(text, longest)) {
      EXPECT_TRUE(!piece.empty() && piece.size() <= longest && IsValidUtf8(piece)) << longest << ": " << piece;
      joined += piece;
    }
    EXPECT_EQ(joined, text) << longest;
  }
}

TEST(XmlTextTest, InvalidUtf8IsReadAsWindows1252) {
  EXPECT_EQ(ToXmlCharacters("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(ToXmlCharacters("\x80\x81\x8D\x8F\x90\x9D\x9F"),
            "\xE2\x82\xAC\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC5\xB8");
  EXPECT_EQ(ToXmlCharacters("\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE"), "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE");
  // Overlong forms and surrogates are not UTF-8: the whole text is windows-1252.
  EXPECT_EQ(ToXmlCharacters("\xC0\xAF"), "\xC3\x80\xC2\xAF");
  EXPECT_EQ(ToXmlCharacters("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
  EXPECT_EQ(ToXmlCharacters("\xC3\xA9\xE9"), "\xC3\x83\xC2\xA9\xC3\xA9");
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
}

TEST(XmlTextTest, DropsCharactersXmlForbids) {
  EXPECT_EQ(ToXmlCharacters(std::string("a\0b\x08\x0B\x0C\x0E\x1F\t\n\r\x7F", 13)), "ab\t\n\r\x7F");
  EXPECT_EQ(ToXmlCharacters("x\xEF\xBF\xBEy\xEF\xBF\xBFz\xEF\xBF\xBD"), "xyz\xEF\xBF\xBD");
  EXPECT_EQ(XmlCommentText("-\x01-"), "- -");
}

}  // namespace
}  // namespace brantel
