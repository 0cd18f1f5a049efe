#include "engine/translate.h"

#include <gtest/gtest.h>

#include "engine/io/io_error.h"
#include "engine/plain_window.h"
#include "engine/xml_text.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace test_support;

// The intermediate lines for one INI line, without the five framing lines.
std::vector<std::string> Body(const std::string& ini_line) {
  std::vector<std::string> lines = IntermediateLines("x", {ini_line});
  return std::vector<std::string>(lines.begin() + 3, lines.end() - 2);
}

// The kinds of the notes on one INI line: L left out, D dropped, N never
// fires, U unknown port type, Z no input, I ignored by old MAME, O option,
// K key line kept as a comment, X line left out, H a "#" in a mapping's
// name or value; R last: old names replaced.
std::string NoteKinds(const std::string& ini_line) {
  ConversionNotes notes;
  IntermediateLines("x", {ini_line}, &notes);
  std::string kinds;
  for (const ConversionNote& note : notes) kinds += "RLDNUSZIOKXCMANH"[static_cast<int>(note.kind)];
  return kinds;
}

std::vector<std::string> Block(const std::string& port, const std::string& type,
                               const std::string& sequence) {
  return {"", PortLine(port), NewseqLine(type, sequence), ClosingLine()};
}

// The intermediate cfg as a file would hold it, lines ending in CR LF.
struct CollectedSection : IntermediateSink {
  void Line(std::string_view line) override {
    text += line;
    text += "\r\n";
  }
  std::string text;
};

std::string Translated(const std::string& folder, const std::string& name, const NoteSink& notes = [](ConversionNote) {}) {
  CollectedSection section;
  TranslateIniFile(folder, name, section, notes);
  return section.text;
}

TEST(TranslateIniFileTest, TranslatesTheSampleIntoItsIntermediateLines) {
  TestFolder folder;
  folder.Write("sample.ini", SampleIni());
  EXPECT_EQ(Translated(folder.path(), "sample.ini"), SampleCfg());
  EXPECT_EQ(folder.Read("sample.ini"), SampleIni());
}

TEST(TranslateIniFileTest, CutsTheExtensionByCount) {
  TestFolder folder;
  folder.Write("SAMPLE.INI", "");
  EXPECT_EQ(Translated(folder.path(), "SAMPLE.INI"),
            CrLf({"<system name=\"SAMPLE\">", Spaces(14) + "<input>", "", Spaces(14) + "</input>",
                  "</system>"}));
}

TEST(TranslateIniFileTest, MissingIniIsAnErrorNamingIt) {
  TestFolder folder;
  EXPECT_THROW(Translated(folder.path(), "gone.ini"), IoError);
  // On POSIX a folder opens but fails at its first read.
  folder.MakeFolder("broken.ini");
  EXPECT_THROW(Translated(folder.path(), "broken.ini"), IoError);
}

// Well-formed UTF-8 as UTF-16 with its byte-order mark.
std::string Utf16(const std::string& utf8, bool big_endian) {
  std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  const auto unit = [&](uint32_t value) {
    const char high = static_cast<char>(value >> 8), low = static_cast<char>(value & 0xFF);
    out += big_endian ? std::string{high, low} : std::string{low, high};
  };
  for (size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    uint32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int more = 1; more < length; ++more) code = (code << 6) | (utf8[at + more] & 0x3F);
    at += length;
    if (code < 0x10000) {
      unit(code);
    } else {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return out;
}

// Files as Windows, Unix, old Macs and Notepad save them convert alike.
TEST(TranslateIniFileTest, EveryLineEndAndEncodingGivesTheSameSection) {
  const std::vector<std::string> lines = {"[pong]", "P1_BUTTON1 \"KEYCODE_A\" # caf\xC3\xA9 \xE2\x82\xAC \xE3\x81\x82 \xF0\x9F\x8E\xAE",
                                          "P1_PADDLE KEYCODE_LEFT", "KEYCODE_LEFT \"KEYCODE_4_PAD\""};
  const auto joined = [&lines](const std::string& end) {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
  };
  const auto translated = [](const std::string& bytes, std::string* notes) {
    TestFolder folder;
    folder.Write("pong.ini", bytes);
    return Translated(folder.path(), "pong.ini", [notes](ConversionNote note) { *notes += NoteLine(note) + "\n"; });
  };
  std::string expected_notes;
  const std::string expected = translated(joined("\r\n"), &expected_notes);
  EXPECT_NE(expected.find("newcode=\"KEYCODE_4PAD\""), std::string::npos) << expected;
  for (const std::string& bytes :
       {joined("\n"), joined("\r"), joined("\r\n").substr(0, joined("\r\n").size() - 2), "\xEF\xBB\xBF" + joined("\n"),
        Utf16(joined("\r\n"), false), Utf16(joined("\n"), true)}) {
    std::string notes;
    EXPECT_EQ(translated(bytes, &notes), expected) << bytes;
    EXPECT_EQ(notes, expected_notes) << bytes;
  }
}

TEST(TranslateIniFileTest, NotesNameTheFileTheLineAndWhatHappened) {
  TestFolder folder;
  folder.Write("old.ini", CrLf({"[old]", "P1_BUTTONX \"KEYCODE_1_PAD | JOYCODE_0_BUTTON1\"",
                                "P1_BUTTON2 \"KEY_A JOYCODE_1_A\"", "KEYCODE_LEFT KEY_J", "KEYCODE_FOO KEYCODE_A",
                                "P1_START KEYCODE_A#r"}));
  std::vector<std::string> printed;
  const std::string cfg = Translated(folder.path(), "old.ini", [&printed](ConversionNote note) { printed.push_back(NoteLine(note)); });
  EXPECT_EQ(printed,
            (std::vector<std::string>{
                "old.ini:2: not applied: MAME 0.251 does not know the port type \"P1_BUTTONX\" (kept as written)",
                "old.ini:2: not applied: port P1_BUTTONX: JOYCODE_0_BUTTON1 left out: MAME 0.251 has no device 0 or below and "
                "can crash on it",
                "old.ini:3: not applied: port P1_BUTTON2: KEY_A is no code MAME 0.251 knows; it drops it (kept as written)",
                "old.ini:3: not applied: port P1_BUTTON2: JOYCODE_1_A names an item no such device has in MAME 0.251; it can "
                "never fire (kept)",
                "old.ini:4: not applied: key line KEYCODE_LEFT: MAME 0.251 remaps one code it knows to another, and \"KEY_J\" is not "
                "one; kept as a comment",
                "old.ini:5: not applied: key line KEYCODE_FOO: MAME 0.251 remaps one code it knows to another, and \"KEYCODE_FOO\" is "
                "not one; kept as a comment",
                "old.ini:6: not applied: port P1_START: value \"KEYCODE_A#r\" holds a \"#\", which MAME 0.251 reads in no port "
                "name or code; the line is kept as a comment",
                "old.ini: changed: 1 old name replaced by the current ones: KEYCODE_1_PAD by KEYCODE_1PAD"}));
  EXPECT_NE(cfg.find(NewseqLine("standard", "KEYCODE_1PAD") + "\r\n"), std::string::npos);
}

// An "*_ini" line made old MAME read another INI file; that file's section
// now applies to no machine. One note on each, naming each option once.
TEST(TranslateIniFileTest, IniFilesNamedByOptionLinesAreNoted) {
  TestFolder folder;
  folder.Write("default.ini", CrLf({"trackball_ini mouse.ini", "paddle_ini mouse", "paddle_ini MOUSE", "foo_ini pong",
                                    "_ini pong", "dial_ini"}));
  CollectedSection section;
  const std::vector<IniInclude> includes = TranslateIniFile(folder.path(), "default.ini", section);
  std::vector<std::string> printed;
  NoteIncludedIniFiles({"default.ini", "mouse.ini", "pong.ini"}, includes,
                       [&printed](ConversionNote note) { printed.push_back(NoteLine(note)); });
  const std::string applies = " lines: old MAME read it for those controls, but its section ";
  const std::string copy = "copy its lines into the sections of the games that need them";
  EXPECT_EQ(printed, (std::vector<std::string>{
                         "mouse.ini: not applied: named by trackball_ini, paddle_ini" + applies +
                             "\"mouse\" applies to no machine in MAME 0.251; set MAME's trackball_device option "
                             "instead, or " + copy,
                         "pong.ini: not applied: named by foo_ini" + applies + "\"pong\" applies to no machine in MAME 0.251; " + copy}));
}

// What needs a look comes first, under a warning; changes made so that MAME
// reads the files as old MAME did come after, and alone they are calm.
TEST(ConversionNotesTest, GroupedNotApplyingFirstWithCountsOfEachKind) {
  const ConversionNotes notes = {{"a.ini", 0, NoteKind::kReplacedName, "x"},
                                 {"b.ini", 1, NoteKind::kUnknownPortType, "y"},
                                 {"mine.cfg", 0, NoteKind::kMergedCfg, "m"},
                                 {"b.ini", 2, NoteKind::kOptionLine, "z"},
                                 {"c.ini", 3, NoteKind::kUnknownPortType, "w"}};
  PlainWindow window;
  ShowConversionNotes(window, notes);
  ShowConversionNotes(window, {notes[0]});
  ShowConversionNotes(window, {});
  ASSERT_EQ(window.messages().size(), 2u);
  EXPECT_EQ(window.messages()[0].title, "Conversion Notes");
  EXPECT_EQ(window.messages()[0].style, MessageStyle::kWarning);
  EXPECT_EQ(window.messages()[0].prompt,
            "Not applied by MAME: 3 notes (2 unknown port types, 1 option line).\n"
            "Changed so that current MAME reads it: 2 notes (1 file with old names replaced, 1 cfg file of your own "
            "merged).");
  EXPECT_EQ(window.messages()[0].details,
            "Not applied by MAME:\nb.ini:1: y\nb.ini:2: z\nc.ini:3: w\n\n"
            "Changed so that current MAME reads it:\na.ini: x\nmine.cfg: m\n");
  EXPECT_EQ(window.messages()[1].style, MessageStyle::kInformation);
  EXPECT_EQ(window.messages()[1].prompt, "Changed so that current MAME reads it: 1 note (1 file with old names replaced).");
  EXPECT_EQ(NoteLine(notes[0]), "a.ini: changed: x");
  EXPECT_EQ(NoteLine(notes[1]), "b.ini:1: not applied: y");
}

TEST(IniLineTest, CommentsAndNothing) {
  EXPECT_TRUE(Body(" \t  \t").empty());
  EXPECT_EQ(Body("P1_BUTTON1 \"KEY_#\""), std::vector<std::string>{"<!-- P1_BUTTON1 \"KEY_#\" -->"});
  EXPECT_EQ(Body("[pacman]"), std::vector<std::string>{"<!-- [pacman] -->"});
  EXPECT_EQ(Body("  ctrlrname \"X-Arcade\""), std::vector<std::string>{"<!-- ctrlrname \"X-Arcade\" -->"});
  EXPECT_EQ(Body("CtrlrName \"Panel\""), Block("CtrlrName", "standard", "Panel"));
  // Past a megabyte, a comment a megabyte: expat holds none past 2 GB.
  const std::string long_remark = "# " + std::string((2 << 20) + 5, '-');
  const std::vector<std::string> lines = Body(long_remark);
  std::string joined;
  for (const std::string& line : lines) {
    EXPECT_TRUE(line.starts_with("<!-- ") && line.ends_with(" -->") && line.size() <= (1 << 20) + 9);
    joined += line.substr(5, line.size() - 9);
  }
  EXPECT_EQ(lines.size(), 5u);
  EXPECT_EQ(joined, XmlCommentText(long_remark));
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
  const struct {
    const char* port;
    const char* final_port;
    const char* type;
  } kCases[] = {
      {"P1_PADDLE", "P1_PADDLE", "decrement"},         {"P1_PADDLE_EXT", "P1_PADDLE", "increment"},
      {"P1_EXT_DIAL_EXT", "P1_DIAL", "increment"},     {"FOO_EXT", "FOO", "increment"},
      {"p1_paddle", "p1_paddle", "standard"},          {"P1_DIAL_ext", "P1_DIAL_ext", "decrement"},
      {"DIALS", "DIALS", "decrement"},                 {"P1_AD_STICK_X", "P1_AD_STICK_X", "decrement"},
      {"P1_TRACKBALL_Y", "P1_TRACKBALL_Y", "decrement"}, {"P1_LIGHTGUN_X", "P1_LIGHTGUN_X", "decrement"},
      {"P3_POSITIONAL_V", "P3_POSITIONAL_V", "decrement"}, {"P1_MOUSE_X", "P1_MOUSE_X", "decrement"},
      {"P1_MOUSE_Y_EXT", "P1_MOUSE_Y", "increment"},   {"P1_MOUSE_Y", "P1_MOUSE_Y", "decrement"},
      {"P1_PEDAL", "P1_PEDAL", "increment"},
      {"P2_PEDAL_EXTX", "P2_PEDALX", "decrement"},     {"P1_PED_EXTAL", "P1_PEDAL", "increment"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Body(c.port + std::string(" \"K\"")), Block(c.final_port, c.type, "K")) << c.port;
  }
}

TEST(IniLineTest, OldNamesBecomeCurrentAndWhatMameCannotTakeIsNoted) {
  const struct {
    const char* value;
    const char* sequence;
    const char* notes;
  } kCases[] = {
      {"KEYCODE_0_PAD", "KEYCODE_0PAD", "R"},
      {"keycode_enter_pad | KEYCODE_A", "KEYCODE_ENTERPAD OR KEYCODE_A", "R"},
      {"JOYCODE_1_LEFT", "JOYCODE_1_XAXIS_LEFT_SWITCH", "R"},
      {"JOYCODE_12_ANALOG_X_NEG|joycode_255_up", "JOYCODE_12_XAXIS_NEG OR JOYCODE_255_YAXIS_UP_SWITCH", "R"},
      {"JOYCODE_01_LEFT JOYCODE_256_UP", "JOYCODE_1_XAXIS_LEFT_SWITCH JOYCODE_256_UP", "NR"},
      {"KEYCODE_256_A KEYCODE_257_A JOYCODE_512_BUTTON1 JOYCODE_256_FOO",
       "KEYCODE_256_A KEYCODE_257_A JOYCODE_512_BUTTON1 JOYCODE_256_FOO", "NND"},
      {"MOUSECODE_2_X_NEG GUNCODE_3_ANALOG_Y", "MOUSECODE_2_XAXIS_NEG_SWITCH GUNCODE_3_YAXIS", "R"},
      {"JOYCODE_1_ANALOG_PEDAL1|JOYCODE_1_ANALOG_PEDAL3", "JOYCODE_1_ZAXIS_NEG OR JOYCODE_1_ANALOG_PEDAL3", "DR"},
      {"CODE_NOT KEYCODE_A | ! KEYCODE_B | CODE_OR", "NOT KEYCODE_A OR NOT KEYCODE_B OR OR", "R"},
      {"CODE_DEFAULT", "DEFAULT", "R"},
      {"KEYCODE_NONE", "NONE", "R"},
      {"KEYCODE_A | CODE_NONE | NONE", "KEYCODE_A OR CODE_NONE OR NONE", "DD"},
      {"NONE", "NONE", ""},
      {"none", "none", "Z"},
      // Old MAME matched old names only as it spelt them.
      {"JOYCODE_1&_ANALOG_X JOYCODE_+1_LEFT", "JOYCODE_1&amp;_ANALOG_X JOYCODE_+1_LEFT", "DN"},
      {"JOYCODE_1--_ANALOG_X | KEYCODE_A", "JOYCODE_1--_ANALOG_X OR KEYCODE_A", "D"},
      {"JOYCODE_0_BUTTON1", "", "L"},
      {"NOT JOYCODE_0_BUTTON1", "", "L"},
      {"KEYCODE_A  KEYCODE_B", "KEYCODE_A KEYCODE_B", ""},
      {"JOYCODE_0_BUTTON1 | KEYCODE_A", "KEYCODE_A", "L"},
      {"KEYCODE_A | NOT JOYCODE_-1_X | KEYCODE_B", "KEYCODE_A OR KEYCODE_B", "L"},
      {"KEYCODE_0PAD_SWITCH JOYCODE_4294967296_BUTTON1 GUNCODE_99999999999999999999_A KEYCODE_A", "KEYCODE_A",
       "LLL"},
      {"KEYCODE_A or KEYCODE_2_B DEFAULT", "KEYCODE_A or KEYCODE_2_B DEFAULT", ""},
      {"JOYCODE_1_BUTTON1_SWITCH MOUSECODE_1_XAXIS_REVERSE_RELATIVE KEYCODE_A_ABSOLUTE",
       "JOYCODE_1_BUTTON1_SWITCH MOUSECODE_1_XAXIS_REVERSE_RELATIVE KEYCODE_A_ABSOLUTE", ""},
      {"JOYCODE_1_A KEYCODE_BUTTON1 JOYCODE_0", "JOYCODE_1_A KEYCODE_BUTTON1 JOYCODE_0", "NNN"},
      {"KEYCODE_A_ KEYCODE__A KEYCODE KEYCODE_A_SWITCH_SWITCH KEY_A",
       "KEYCODE_A_ KEYCODE__A KEYCODE KEYCODE_A_SWITCH_SWITCH KEY_A", "Z"},
  };
  for (const auto& c : kCases) {
    const std::string line = "P1_BUTTON1 \"" + std::string(c.value) + "\"";
    EXPECT_EQ(Body(line), Block("P1_BUTTON1", "standard", c.sequence)) << c.value;
    EXPECT_EQ(NoteKinds(line), c.notes) << c.value;
  }
}

// Text in the system's code page is quoted in notes as the file gets it: in
// UTF-8, never as the raw byte.
TEST(IniLineTest, NotesQuoteTheCodePagesTextInUtf8) {
  for (const std::string line :
       {"P1_BUTTON\xE9 \"KEYCODE_A\"", "P1_BUTTON1 \"KEY_\xE9\"", "P1_BUTTON1 \"JOYCODE_0_\xE9\"",
        "P1_BUTTON1 \"\xE9#\"", "KEYCODE_\xE9 KEYCODE_A", "mouse \xE9", "P1_BUTTON1 \"JOYCODE_1_\xE9\""}) {
    ConversionNotes notes;
    IntermediateLines("x", {line}, &notes);
    ASSERT_FALSE(notes.empty()) << line;
    for (const ConversionNote& note : notes) {
      EXPECT_TRUE(IsValidUtf8(note.text) && note.text.find("\xC3\xA9") != std::string::npos) << line << ": " << note.text;
    }
  }
}

TEST(IniLineTest, PortTypesMameDoesNotKnowAreNoted) {
  for (const char* known : {"P1_BUTTON1", "TOGGLE_FULLSCREEN", "TYPE_OTHER(66,0)", "TYPE_OTHER(66,-1)x"}) {
    EXPECT_EQ(NoteKinds(known + std::string(" \"KEYCODE_A\"")), "") << known;
  }
  for (const char* unknown : {"P1_BUTTONX", "p1_button1", "UI_PAN_UP", "TYPE_OTHER(66)", "TYPE_OTHER(66x,0)"}) {
    EXPECT_EQ(NoteKinds(unknown + std::string(" \"KEYCODE_A\"")), "U") << unknown;
  }
}

// What old MAME's option reader applied, and what it ignored.
TEST(IniLineTest, LinesReadAsOldMameReadThem) {
  const std::string remap = Spaces(28) + "<remap origcode=\"KEYCODE_LEFT\" newcode=\"KEYCODE_4PAD\" />";
  const auto with = [](std::vector<std::string> lines, const std::string& more) {
    lines.push_back(more);
    return lines;
  };
  const std::vector<std::string> button = Block("P1_BUTTON1", "standard", "KEYCODE_A");
  const struct {
    std::string line;
    std::vector<std::string> body;
    const char* notes;
  } kCases[] = {
      {"P1_BUTTON1 \"KEYCODE_A\" # fire", with(button, "<!-- # fire -->"), ""},
      // A port line holding a "#" would leave its port in the section copy.
      {"P1_BUTTON1 \"KEY_#\" #", {"<!-- P1_BUTTON1 \"KEY_#\" # -->"}, "H"},
      {"P1_BUTTON1 KEYCODE_A#r", {"<!-- P1_BUTTON1 KEYCODE_A#r -->"}, "H"},
      {"P1_BUTTON2 'KEY#A' # r", {"<!-- P1_BUTTON2 'KEY#A' # r -->"}, "H"},
      {"P1#2 \"KEYCODE_A\" # r", {"<!-- P1#2 \"KEYCODE_A\" # r -->"}, "H"},
      {"ctrlrname \"X-Arcade\" # mine", {"<!-- ctrlrname \"X-Arcade\" # mine -->"}, ""},
      {"P1_BUTTON1 KEYCODE_A", button, ""},
      {"P1_BUTTON1 'KEYCODE_A", button, ""},
      {"P1_BUTTON1 \"\"", Block("P1_BUTTON1", "standard", ""), ""},
      {"P1_BUTTON1 'KEYCODE_A' #", with(button, "<!-- # -->"), ""},
      {"\tP1_BUTTON1\tKEYCODE_A|KEYCODE_B #x", with(Block("P1_BUTTON1", "standard", "KEYCODE_A OR KEYCODE_B"),
                                                    "<!-- #x -->"), ""},
      {"P1_PADDLE_EXT KEYCODE_RIGHT", Block("P1_PADDLE", "increment", "KEYCODE_RIGHT"), ""},
      {"P1_BUTTONX KEYCODE_A", {"<!-- P1_BUTTONX KEYCODE_A -->"}, ""},
      {"P1_BUTTON1 KEYCODE_A KEYCODE_B", {"<!-- P1_BUTTON1 KEYCODE_A KEYCODE_B -->"}, ""},
      {"P1_BUTTON1 \"KEYCODE_A\" \"KEYCODE_B\"", button, "I"},
      {"P1_BUTTON1 = \"KEYCODE_A\"", Block("P1_BUTTON1 =", "standard", "KEYCODE_A"), "IU"},
      {"KEYCODE_LEFT \"KEYCODE_4_PAD\"", {remap}, "R"},
      {"KEYCODE_LEFT \"KEYCODE_4_PAD", {remap}, "R"},
      {"keycode_left\tKEYCODE_4PAD # pad", {remap, "<!-- # pad -->"}, ""},
      {"JOYCODE_1_LEFT 'KEYCODE_A'",
       {Spaces(28) + "<remap origcode=\"JOYCODE_1_XAXIS_LEFT_SWITCH\" newcode=\"KEYCODE_A\" />"}, "R"},
      {"KEYCODE_LEFT \"KEYCODE_4_PAD | KEYCODE_J\"", {"<!-- KEYCODE_LEFT \"KEYCODE_4_PAD | KEYCODE_J\" -->"}, "K"},
      {"KEYCODE_LEFT \"JOYCODE_0_BUTTON1\"", {"<!-- KEYCODE_LEFT \"JOYCODE_0_BUTTON1\" -->"}, "K"},
      {"P1_PEDAL_EXT \"KEYCODE_A\"", {}, "X"},
      {"P3_PEDAL2_EXT KEYCODE_B # auto", {"<!-- # auto -->"}, "X"},
      {"mouse 1", {"<!-- mouse 1 -->"}, "O"},
      {"Ctrlr \"hotrod\"", {"<!-- Ctrlr \"hotrod\" -->"}, "O"},
      {"trackball_ini mouse # ball", {"<!-- trackball_ini mouse # ball -->"}, "O"},
      {"JOY_DEADZONE 0.3", {"<!-- JOY_DEADZONE 0.3 -->"}, "O"},
      {"_ini mouse", {"<!-- _ini mouse -->"}, ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Body(c.line), c.body) << c.line;
    EXPECT_EQ(NoteKinds(c.line), c.notes) << c.line;
  }
}

// A value of a megabyte is written whole, but a note quotes only its start
// and the text's length; never half a character.
TEST(IniLineTest, NotesQuoteLongTextsShort) {
  const std::string a(1 << 20, 'A');
  for (const std::string& line :
       {"P1_BUTTON1 \"" + a + "\"", "P1_BUTTON1 \"JOYCODE_0_A " + a + "\"", a + " \"KEY_A\"", a + "_EXT \"KEY_A\"",
        "mouse " + a, "KEYCODE_A \"" + a + "\"", "P1_BUTTON1 \"#" + a + "\"", a + " \"KEY_A\" \"B\""}) {
    ConversionNotes notes;
    IntermediateLines("x", {line}, &notes);
    std::string texts;
    for (const ConversionNote& note : notes) texts += note.text;
    EXPECT_LT(texts.size(), 4 * kQuotedLength + 500) << line.substr(0, 40);
    EXPECT_NE(texts.find("AAA... (10485"), std::string::npos) << line.substr(0, 40);
  }
  std::string accents;
  for (size_t count = 0; count < kQuotedLength; ++count) accents += "\xC3\xA9";
  EXPECT_EQ(QuotedInNote("x" + accents), "x" + accents.substr(2) + "... (201 characters)");
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
