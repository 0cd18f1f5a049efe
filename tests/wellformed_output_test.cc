// Whatever bytes old INI files hold, the combined file must stay well-formed
// XML: MAME refuses the whole file otherwise.
#include <expat.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <tuple>

#include "engine/convert.h"
#include "engine/io/line_file.h"
#include "engine/plain_window.h"
#include "engine/translate.h"
#include "engine/xml_text.h"
#include "tests/convert_fixture.h"

namespace brantel {
namespace {

using namespace test_support;

struct ParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Empty when the document is well-formed, its namespace prefixes declared,
// otherwise expat's complaint.
std::string WellFormednessError(const std::string& document) {
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, ' '));
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

  // Lines of random words and bytes, and lines as old MAME users wrote
  // them, stored as any system saved them.
  std::string Content() {
    std::string text;
    for (int line = Below(12); line > 0; --line) {
      const int kind = Below(6);
      text += kind == 0 ? Bytes() : kind < 3 ? Line() : OldFormLine();
    }
    return Stored(text);
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
                                         "\xED\xA0\x80", "\x0B", "\n", "\r", "KEYCODE_1&_A", "'",
                                         "trackball_ini"};
    std::string line;
    for (int i = Below(10); i >= 0; --i) line += kWords[Below(std::size(kWords))];
    return line + (Below(4) == 0 ? "\n" : "\r\n");
  }

  // A name and a value, quoted or bare, with remarks, hashes, key lines and
  // option lines among them.
  std::string OldFormLine() {
    static const std::string kNames[] = {"P1_BUTTON1", "P1_BUTTON2", "P1_PADDLE", "P1_PADDLE_EXT", "P2_DIAL_EXT",
                                         "P1_PEDAL",   "P1_PEDAL_EXT", "ctrlrname", "KEYCODE_LEFT", "JOYCODE_1_LEFT",
                                         "mouse",      "trackball_ini", "P1#X",     "P1_BUTTONX",  "[pong]", "#"};
    static const std::string kBlanks[] = {" ", "\t", "  ", " = ", ""};
    static const std::string kCodes[] = {"KEYCODE_A", "KEYCODE_4_PAD", "JOYCODE_0_BUTTON1", "KEY#A", "#", "|",
                                         " ",         "X-Arcade",      "mouse",             "A#r", "'",  "\""};
    static const std::string kQuotes[] = {"\"", "'", "", ""};
    static const std::string kRemarks[] = {"", "", " # r", " #", "#x", " \"B\"", " x"};
    static const std::string kEnds[] = {"\r\n", "\n", "\r"};
    const auto pick = [this](const auto& choices) { return choices[Below(std::size(choices))]; };
    std::string value;
    for (int i = Below(3); i >= 0; --i) value += pick(kCodes);
    const std::string quote = pick(kQuotes);
    return pick(kNames) + pick(kBlanks) + quote + value + (Below(5) == 0 ? "" : quote) + pick(kRemarks) + pick(kEnds);
  }

  // As saved: plain, behind UTF-8's mark, or as UTF-16 in either byte order
  // (each byte read as the character of its number).
  std::string Stored(const std::string& text) {
    const int form = Below(5);
    if (form < 2) return text;
    if (form == 2) return "\xEF\xBB\xBF" + text;
    const bool big_endian = form == 4;
    std::string wide = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : text) wide += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
    return wide;
  }

  std::mt19937 random_;
  int counter_ = 0;
};

// A user's cfg file of systems named as translated sections are (`twins`,
// as the combined file writes their names), one named as none, and a default
// one; each marked as the user's.
std::string UserCfg(const std::vector<std::string>& twins) {
  std::string cfg = "<mameconfig version=\"10\">\n<system name=\"default\"><!-- user --></system>\n";
  for (const std::string& name : twins) cfg += "<system name=\"" + name + "\"><!-- user --></system>\n";
  return cfg + "<system name=\"lonely\"><!-- user --></system>\n</mameconfig>\n";
}

// Empty when each of the user's systems named `names` is written, after the
// translated section of its name where there is one; else the first name not.
std::string UserSystemBeforeItsTwin(const std::string& combined, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const size_t user = combined.find("<system name=\"" + name + "\"><!-- user -->");
    const size_t translated = combined.find("<system name=\"" + name + "\">\r\n");
    if (user == std::string::npos || (translated != std::string::npos && translated > user)) return name;
  }
  return "";
}

// Each newseq of a combined or intermediate file: its system, the port it
// lies in ("(no port)" when none), its type and text.
using PlacedSequence = std::tuple<std::string, std::string, std::string, std::string>;

struct SequenceFinder {
  std::vector<std::string> open;
  std::string system, port;
  std::vector<PlacedSequence> found;

  static std::string Attribute(const XML_Char** attributes, const std::string& name) {
    for (; *attributes != nullptr; attributes += 2) {
      if (name == attributes[0]) return attributes[1];
    }
    return "";
  }
  static void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& f = *static_cast<SequenceFinder*>(data);
    const std::string element = name;
    if (element == "system") f.system = Attribute(attributes, "name");
    if (element == "port") f.port = Attribute(attributes, "type");
    const bool in_port = !f.open.empty() && f.open.back() == "port";
    if (element == "newseq") {
      f.found.emplace_back(f.system, in_port ? f.port : "(no port)", Attribute(attributes, "type"), "");
    }
    f.open.push_back(element);
  }
  static void End(void* data, const XML_Char*) { static_cast<SequenceFinder*>(data)->open.pop_back(); }
  static void Text(void* data, const XML_Char* text, int length) {
    auto& f = *static_cast<SequenceFinder*>(data);
    if (!f.open.empty() && f.open.back() == "newseq") std::get<3>(f.found.back()).append(text, length);
  }
};

std::vector<PlacedSequence> Sequences(const std::string& document) {
  SequenceFinder finder;
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate("UTF-8"));
  XML_SetUserData(parser.get(), &finder);
  XML_SetElementHandler(parser.get(), SequenceFinder::Start, SequenceFinder::End);
  XML_SetCharacterDataHandler(parser.get(), SequenceFinder::Text);
  XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), 1);
  return finder.found;
}

// Every newseq of the combined file lies inside a port, and is one that a
// single line of the same file gives that port: no sequence has strayed
// into another port, or out of its own. Empty when so, else the first stray.
std::string StraySequence(const TestFolder& folder) {
  const std::string old_folder = folder.path() + "/mame/ctrlr/old/";
  std::set<PlacedSequence> from_lines;
  for (const auto& entry : std::filesystem::directory_iterator(old_folder)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".cfg")) {
      for (PlacedSequence& found : Sequences(ReadFileBytes(entry.path()))) from_lines.insert(found);
      continue;
    }
    if (!name.ends_with(".ini")) continue;
    for (LineReader ini(old_folder + name, LineReader::Marks::kHonour); !ini.AtEnd();) {
      std::string section;
      for (const std::string& line : IntermediateLines(SystemName(name), {ini.ReadLine()})) section += line + "\n";
      for (PlacedSequence& found : Sequences(section)) from_lines.insert(found);
    }
  }
  for (const PlacedSequence& placed : Sequences(folder.Read("mame/ctrlr/old.cfg"))) {
    if (!from_lines.contains(placed)) {
      const auto& [system, port, type, text] = placed;
      return "system \"" + system + "\", port \"" + port + "\": " + type + " \"" + text + "\" from no line of its own";
    }
  }
  return "";
}

// A few thousand folders make a thorough run: BRANTEL_RANDOM_FOLDERS=3000.
int RandomFolderCount() {
  const char* count = std::getenv("BRANTEL_RANDOM_FOLDERS");
  return count != nullptr ? std::atoi(count) : 40;
}

class WellFormedOutputTest : public ConvertFixture {};

TEST_F(WellFormedOutputTest, RandomIniFilesAlwaysGiveWellFormedXml) {
  const int runs = RandomFolderCount();
  constexpr int kFilesPerRun = 60;
  for (int run = 0; run < runs; ++run) {
    RandomIni random(static_cast<unsigned>(run));
    std::string master_list;
    if (run % 2 == 0) WriteIni("default.ini", random.Content());
    std::vector<std::string> users = {"default", "lonely"};
    // Hashes that once took sequences out of their ports, or into another.
    if (run == 1) WriteIni("default.ini", CrLf({"P1_BUTTON1 KEYCODE_A#r", "P1_BUTTON2 \"KEY#A\" # r",
                                                "ctrlrname \"X-Arcade\" # mine", "P1_BUTTON3 \"KEYCODE_C\""}));
    for (int file = 0; file < kFilesPerRun; ++file) {
      std::string name = random.Name();
      WriteIni(name, random.Content());
      const std::string system = name.substr(0, name.size() - 4);
      master_list += MasterListLine(system, file % 3 ? "p" : system, file % 5 ? "1" : "") + "\r\n";
      // A twin is placed by its name as the master list gives it.
      if (file % 4 == run % 4 && ToXmlCharacters(system) == system) users.push_back(XmlEscapedText(system));
    }
    WriteIni("user" + std::to_string(run % 3) + ".cfg", UserCfg({users.begin() + 2, users.end()}));
    InstallStandInListGenerator(folder_, "program", master_list);
    PlainWindow window;
    window.SetText1("old");
    window.SetText2(Mame() + "\\");
    ASSERT_EQ(ConvertFolder(window, Program()), ConvertResult::kCompleted)
        << "seed " << run << ": " << window.messages().back().prompt;
    std::string error = WellFormednessError(folder_.Read("mame/ctrlr/old.cfg"));
    ASSERT_EQ(error, "") << "seed " << run;
    ASSERT_EQ(UserSystemBeforeItsTwin(folder_.Read("mame/ctrlr/old.cfg"), users), "") << "seed " << run;
    ASSERT_EQ(StraySequence(folder_), "") << "seed " << run;
    for (const std::string& name : OldFolderNames()) {
      std::filesystem::remove(folder_.path() + "/mame/ctrlr/old/" + name);
    }
  }
}

namespace fs = std::filesystem;

// Every entry under `root`, links as links: what a Convert may not change.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    std::string name = it->path().lexically_relative(root).generic_string();
    if (it->is_symlink()) {
      entries[name] = "link to " + fs::read_symlink(it->path()).string();
    } else if (it->is_regular_file()) {
      entries[name] = ReadFileBytes(it->path());
    }
  }
  return entries;
}

struct HostileLayout {
  const char* what;
  std::string folder_name;  // Text1
  std::function<void(const TestFolder&)> arrange;
  ConvertResult expected;
  // Texts a success writes exactly once each, in this order.
  std::vector<std::string> once = {"<mameconfig "};
  std::string blamed = "";              // the one file a failure names
  std::vector<std::string> noted = {};   // texts the notes hold
  // Where a success keeps the earlier old.cfg, not the program's own; "" when it was.
  std::string aside = "ctrlr/old.cfg.bak";
  std::string mame_end = "";            // after Text2's path to MAME
  std::string exe = "";                 // Text3, when not as a new window shows it
  // Done once the old folder's files are listed, before any is read.
  std::function<void(const TestFolder&)> once_listed = {};
  bool noted_in_order = false;  // the notes hold `noted` in its order
};

// A Convert of "old" before the layout's own, so that old.cfg is the program's.
void ConvertOnce(const TestFolder& f) {
  PlainWindow window;
  window.SetText1("old");
  window.SetText2(f.path() + "/mame");
  ASSERT_EQ(ConvertFolder(window, f.path() + "/program"), ConvertResult::kCompleted);
}

// A cfg file as MAME writes it (LF line ends, ports with tag, mask and
// default value, three sequences) beside a translated INI file of the same
// name, and a second system in it for a clone.
const std::string kMamePort = CrLf({
    "<port tag=\":IN0\" type=\"P1_PADDLE\" mask=\"255\" defvalue=\"128\">",
    "                <newseq type=\"standard\">KEYCODE_J</newseq>",
    "                <newseq type=\"decrement\">KEYCODE_Y OR KEYCODE_4PAD</newseq>",
    "                <newseq type=\"increment\">KEYCODE_U &amp; &#13;</newseq>",
    "            </port><!-- kept -->"});
std::string MameWrittenCfg() {
  std::string port = kMamePort;
  std::erase(port, '\r');
  return "<?xml version=\"1.0\"?>\n<!-- written by MAME -->\n<mameconfig version=\"10\">\n"
         "    <system name=\"pong\">\n        <input>\n            " + port + "        </input>\n    </system>\n"
         "    <system name=\"pongclone\"><input><port type=\"P1_START\"/></input></system>\n</mameconfig>\n";
}

const std::string kPrevious = "previous combined file";

// A user's cfg of one system after `prolog`, holding `input`.
std::string UserCfgOf(const std::string& prolog, const std::string& input) {
  return prolog + "<mameconfig version=\"10\"><system name=\"pong\"><input>" + input + "</input></system></mameconfig>";
}

std::vector<HostileLayout> HostileLayouts() {
  std::vector<HostileLayout> layouts = {
      {"empty folder name", "", {}, ConvertResult::kPathError},
      {"ctrlr itself", ".", {}, ConvertResult::kPathError},
      {"the MAME folder", "..", {}, ConvertResult::kPathError},
      {"back out of the old folder", "old/..", {}, ConvertResult::kPathError},
      {"missing folder", "gone", {}, ConvertResult::kPathError},
      {"a foreign cfg that is not XML", "old",
       [](const TestFolder& f) { f.Write("mame/ctrlr/old/notes.CFG", "a < b & c"); },
       ConvertResult::kFailed},
      {"a foreign cfg with an open element", "old",
       [](const TestFolder& f) { f.Write("mame/ctrlr/old/mine.cfg", CrLf({"<system name=\"x\">", "<input>", "<foo>"})); },
       ConvertResult::kFailed},
      {"the user's cfg under an intermediate file's name, as MAME writes it", "old",
       [](const TestFolder& f) { f.Write("mame/ctrlr/old/pong.cfg", MameWrittenCfg()); },
       ConvertResult::kCompleted, {kMamePort}},
      {"a user's cfg beside a malformed one", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/pong.cfg", MameWrittenCfg());
         f.Write("mame/ctrlr/old/zz.cfg", "<system name=\"zz\"><input></system>");
       },
       ConvertResult::kFailed, {}, "zz.cfg"},
      {"a malformed default.cfg", "old",
       [](const TestFolder& f) { f.Write("mame/ctrlr/old/default.cfg", "<system name=\"default\">"); },
       ConvertResult::kFailed, {}, "default.cfg"},
      {"the combined file of a subfolder, converting its parent", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/sub/pong.ini", "P1_START \"KEY_1\"");
         f.Write("mame/ctrlr/old/sub.cfg", CrLf({"<mameconfig version=\"10\">", "<system name=\"sub\">",
                                                  "<input><!-- a - b --></input>", "</system>", "</mameconfig>"}));
       },
       ConvertResult::kCompleted, {CrLf({"<system name=\"sub\">", "<input><!-- a - b --></input>", "</system>"})}},
      // Only the systems of the root are sections, each written after its
      // translated twin (of pong.ini), its attributes escaped anew.
      {"the user's cfg with a system for a translated INI file", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/mine.cfg",
                 "<mameconfig version=\"10\"><system name=\"pong\"><!-- mine --><input>"
                 "<port type=\"a&amp;b&lt;c&quot;d\"/></input></system></mameconfig>");
       },
       ConvertResult::kCompleted, {"<mameconfig ", ">KEY_A<", "<!-- mine --><input><port type=\"a&amp;b&lt;c&quot;d\"/>"}},
      {"the user's own default section", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/aaa.ini", "P1_START \"KEY_2\"");
         f.Write("mame/ctrlr/old/Default.cfg", "<mameconfig><system name=\"default\"><!-- mine --></system></mameconfig>");
       },
       ConvertResult::kCompleted, {">KEY_1<", "<!-- mine -->", ">KEY_2<"}},
      // As MAME reads its own cfg files.
      {"systems that are not directly in a root mameconfig", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/mine.cfg", "<mameconfig><junk><system name=\"evil\"/></junk><system name=\"pong\"/></mameconfig>");
         f.Write("mame/ctrlr/old/root.cfg", "<system name=\"pong\"/>");
       },
       ConvertResult::kCompleted, {"<system name=\"pong\"/>"}, "",
       {"mine.cfg: your own cfg file: 1 system merged", "root.cfg: not merged: its root element is system"}},
      {"namespaces declared on the user's mameconfig", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/mine.cfg", "<mameconfig xmlns:q=\"urn:q\" xmlns:r=\"urn:r\"><system name=\"pong\" "
                                            "xmlns:r=\"urn:mine\"><q:input r:a=\"1\"/></system></mameconfig>");
       },
       ConvertResult::kCompleted, {"<system name=\"pong\" xmlns:r=\"urn:mine\" xmlns:q=\"urn:q\"><q:input r:a=\"1\"/>"}},
      {"default.ini in capitals", "old",
       [](const TestFolder& f) {
         fs::rename(f.path() + "/mame/ctrlr/old/default.ini", f.path() + "/mame/ctrlr/old/Default.INI");
       },
       ConvertResult::kCompleted, {"<system name=\"default\">"}},
      {"folders of the user's under the work folders' name", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/~btwork-mine/pong.ini", "P1_START \"KEY_1\"");
         f.Write("mame/ctrlr/~btwork-/a.cfg", "<system name=\"a\"/>");
         f.Write("mame/ctrlr/~btwork-my saved configs/~btwork.mark", "mine");
       },
       ConvertResult::kCompleted, {"<mameconfig "}, "",
       {"~btwork-mine: left as it was", "~btwork-: left as it was", "~btwork-my saved configs: left as it was",
        "(3 folders left as they were"}},  // a group's count starts with them: not among the not applied
      {"converting a folder under the work folders' name", "~btwork-mine",
       [](const TestFolder& f) { f.Write("mame/ctrlr/~btwork-mine/pong.ini", "P1_START \"KEY_1\""); },
       ConvertResult::kPathError, {}, "", {"named like the program's own work folders"}},
      // Each text is a line of the settings file.
      {"a CR in the folder name", "ol\rd", {}, ConvertResult::kPathError, {}, "", {"holds a line end"}},
      {"a CR in the path to MAME", "old", {}, ConvertResult::kPathError, {}, "", {"holds a line end"}, "", "\r"},
      {"a CR in the executable's name", "old", {}, ConvertResult::kPathError, {}, "", {"holds a line end"}, "", "", "mame\r"},
      // The user's systems in name order, each with its own bytes, whatever
      // file they come from and however long.
      {"two cfg files of the user's, the first larger", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/a.cfg", "<mameconfig><system name=\"a\"><!-- " + std::string(300, 'a') + " --></system></mameconfig>");
         f.Write("mame/ctrlr/old/b.cfg", "<mameconfig><system name=\"b\"><!-- b --></system></mameconfig>");
       },
       ConvertResult::kCompleted, {"<!-- aaa", "<system name=\"b\"><!-- b --></system>"}},
      {"a system over 64 KiB after a small one", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/mine.cfg", "<mameconfig><system name=\"a\"/><system name=\"b\"><!--" +
                                                std::string(70000, 'b') + "--></system></mameconfig>");
       },
       ConvertResult::kCompleted, {"<system name=\"a\"/>", std::string(70000, 'b') + "--></system>"}},
      {"a cfg file of the user's with its systems out of name order", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/mine.cfg", "<mameconfig><system name=\"zaxxon\"/><system name=\"galaxian\"/></mameconfig>");
       },
       ConvertResult::kCompleted, {"<system name=\"galaxian\"/>", "<system name=\"zaxxon\"/>"}},
      // old.cfg is kept aside, under a name MAME never reads, unless it is
      // byte for byte what the program wrote there last.
      {"a .bak of the user's beside old.cfg", "old",
       [](const TestFolder& f) { f.Write("mame/ctrlr/old.cfg.bak", "mine"); },
       ConvertResult::kCompleted, {"<mameconfig "}, "", {"old.cfg: not written by this program, so kept as"},
       "ctrlr/old.cfg.1.bak"},
      // Each INI file's notes, then those on included INI files, then the
      // cfg files' (all not applied, so shown in one group).
      {"notes of INI files, of an included one and of cfg files", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/root.cfg", "<system name=\"pong\"/>");
         f.Write("mame/ctrlr/old/pong.ini", "paddle_ini mouse");
         f.Write("mame/ctrlr/old/mouse.ini", "P1_START \"KEY_1\"");
       },
       ConvertResult::kCompleted, {"<mameconfig "}, "",
       {"pong.ini:1: option line", "mouse.ini: named by paddle_ini lines", "root.cfg: not merged: its root element"},
       "ctrlr/old.cfg.bak", "", "", {}, true},
      // A line the check takes whole, after bytes it has yet to take.
      {"a translated line of 64 KiB between sections", "old",
       [](const TestFolder& f) {
         std::string codes;
         for (int i = 0; i < 7000; ++i) codes += "KEYCODE_A ";
         f.Write("mame/ctrlr/old/pong.ini", CrLf({"P1_BUTTON1 \"" + codes + "\"", "P1_BUTTON2 \"KEY_B\""}));
       },
       ConvertResult::kCompleted, {">KEY_1<", "\">KEYCODE_A KEYCODE_A", ">KEY_B<"}},
      {"the program's own earlier old.cfg", "old", ConvertOnce, ConvertResult::kCompleted, {"<mameconfig "}, "", {}, ""},
      {"the program's own earlier old.cfg, a system of 2 MB in it", "old",
       [](const TestFolder& f) {
         f.Write("mame/ctrlr/old/mine.cfg", "<mameconfig><system name=\"a\"><!--" + std::string(2 << 20, 'a') +
                                                "--></system></mameconfig>");
         ConvertOnce(f);
       },
       ConvertResult::kCompleted, {"<mameconfig "}, "", {}, ""},
      {"the program's own earlier old.cfg, edited since", "old",
       [](const TestFolder& f) {
         ConvertOnce(f);
         f.Write("mame/ctrlr/old.cfg", f.Read("mame/ctrlr/old.cfg") + " ");
       },
       ConvertResult::kCompleted, {"<mameconfig "}, "", {}, "ctrlr/old.cfg.1.bak"},
      {"a record of the files written that is not one", "old",
       [](const TestFolder& f) {
         ConvertOnce(f);
         f.Write("program/combined.lst", "brantel combined files 1\r\n" + std::string(10000, 'x'));
       },
       ConvertResult::kCompleted, {"<mameconfig "}, "", {}, "ctrlr/old.cfg.1.bak"},
  };
  // Systems of one name from two files: in the order of the files, then of
  // each file, the same every run (more of them than a sort keeps in order
  // by chance).
  std::string pacman[2];
  std::vector<std::string> in_order;
  for (int i = 0; i < 20; ++i) {
    pacman[i / 10] += "<system name=\"pacman\"><!-- " + std::to_string(i) + " --></system>";
    in_order.push_back("<!-- " + std::to_string(i) + " -->");
  }
  layouts.push_back({"two cfg files of the user's holding pacman", "old",
                     [=](const TestFolder& f) {
                       f.Write("mame/ctrlr/old/b.cfg", "<mameconfig>" + pacman[1] + "</mameconfig>");
                       f.Write("mame/ctrlr/old/a.cfg", "<mameconfig>" + pacman[0] + "</mameconfig>");
                     },
                     ConvertResult::kCompleted, in_order});
  // Entities whose text is not in the file would be dropped without a word.
  const std::string dtd = "<!DOCTYPE mameconfig SYSTEM \"mame.dtd\"";
  static const std::vector<std::string> kUndefinedEntities = {
      UserCfgOf(dtd + ">", "<port type=\"P1_START\"><newseq type=\"standard\">&undef;KEYCODE_Z</newseq></port>"),
      UserCfgOf(dtd + ">", "<port type=\"P1_&undef;START\"/>"),
      UserCfgOf(dtd + " [<!ENTITY k \"<port type='&undef;'/>\">]>", "&k;"),
      UserCfgOf("<!DOCTYPE mameconfig [<!ENTITY undef SYSTEM \"keys.txt\">]>", "&undef;")};
  // The five predefined ones need no declaration.
  layouts.push_back({"a DTD whose entity uses &apos;", "old",
                     [=](const TestFolder& f) {
                       f.Write("mame/ctrlr/old/mine.cfg",
                               UserCfgOf(dtd + " [<!ENTITY q \"&apos;&amp;&lt;&gt;&quot;\">]>", "<port type=\"&q;\"/>"));
                     },
                     ConvertResult::kCompleted, {"<port type=\"'&amp;&lt;&gt;&quot;\"/>"}, "", {"mine.cfg: your own cfg file: 1 system"}});
  for (const std::string& cfg : kUndefinedEntities) {
    layouts.push_back({cfg.c_str(), "old", [=](const TestFolder& f) { f.Write("mame/ctrlr/old/mine.cfg", cfg); },
                       ConvertResult::kFailed, {}, "mine.cfg", {"the entity &undef;"}});
  }
  // Deeper than MAME's own files could be; MAME crashes on a file far deeper.
  for (int levels : {1000, 1001}) {
    layouts.push_back({levels == 1000 ? "1000 levels" : "1001 levels", "old",
                       [=](const TestFolder& f) {
                         std::string nested;
                         for (int level = 3; level < levels; ++level) nested = "<a>" + nested + "</a>";
                         f.Write("mame/ctrlr/old/deep.cfg", UserCfgOf("", nested));
                       },
                       levels == 1000 ? ConvertResult::kCompleted : ConvertResult::kFailed,
                       {"<mameconfig "}, "deep.cfg", {levels == 1000 ? "1 system merged" : "more than 1000 levels"}});
  }
#ifndef _WIN32
  auto link = [](const TestFolder& f, const std::string& target, const std::string& name) {
    fs::create_symlink(target, f.path() + "/" + name);
  };
  layouts.push_back({"a link back up to ctrlr", "up",
                     [=](const TestFolder& f) { link(f, ".", "mame/ctrlr/up"); },
                     ConvertResult::kPathError});
  layouts.push_back({"a link to ctrlr itself, which holds an INI file", "up",
                     [=](const TestFolder& f) {
                       link(f, "../ctrlr", "mame/ctrlr/up");
                       f.Write("mame/ctrlr/stray.ini", "P1_START \"KEY_1\"");
                     },
                     ConvertResult::kPathError});
  // Read through, never written through.
  layouts.push_back({"intermediate name linked to a file elsewhere", "old",
                     [=](const TestFolder& f) { link(f, "../../../elsewhere.txt", "mame/ctrlr/old/pong.cfg"); },
                     ConvertResult::kFailed, {}, "pong.cfg"});
  layouts.push_back({"intermediate name hard-linked to its INI file", "old",
                     [](const TestFolder& f) {
                       fs::create_hard_link(f.path() + "/mame/ctrlr/old/pong.ini",
                                            f.path() + "/mame/ctrlr/old/pong.cfg");
                     },
                     ConvertResult::kFailed, {}, "pong.cfg"});
  layouts.push_back({"combined file linked to a file elsewhere", "old",
                     [=](const TestFolder& f) {
                       fs::remove(f.path() + "/mame/ctrlr/old.cfg");
                       link(f, "../../elsewhere.txt", "mame/ctrlr/old.cfg");
                     },
                     ConvertResult::kCompleted});
  layouts.push_back({"a line end in the folder name", "ol\nd",
                     [](const TestFolder& f) { f.Write("mame/ctrlr/ol\nd/pong.ini", "P1_START \"KEY_1\""); },
                     ConvertResult::kPathError, {}, "", {"holds a line end"}});
  layouts.push_back({"combined file linked to a read-only file elsewhere", "old",
                     [=](const TestFolder& f) {
                       fs::remove(f.path() + "/mame/ctrlr/old.cfg");
                       link(f, "../../elsewhere.txt", "mame/ctrlr/old.cfg");
                       fs::permissions(f.path() + "/elsewhere.txt", fs::perms::owner_read);
                     },
                     ConvertResult::kFailed, {}, "", {"read-only"}});
  // Left out with a note each, never opened: a FIFO or a device would make
  // Convert wait for ever.
  layouts.push_back({"entries named like INI and cfg files that are no files", "old",
                     [=](const TestFolder& f) {
                       ASSERT_EQ(mkfifo((f.path() + "/mame/ctrlr/old/fifo.ini").c_str(), 0600), 0);
                       link(f, "nowhere", "mame/ctrlr/old/gone.ini");
                       f.MakeFolder("mame/ctrlr/old/folder.ini");
                       link(f, "/dev/zero", "mame/ctrlr/old/zero.cfg");
                     },
                     ConvertResult::kCompleted, {"<mameconfig "}, "",
                     {"fifo.ini: not converted: a named pipe (FIFO)", "gone.ini: not converted: a link that leads nowhere",
                      "folder.ini: not converted: a folder", "zero.cfg: not merged: a link to a device"}});
  // Swapped after the listing: refused by name, never read, never waited on.
  const auto swapped = [](const std::string& name, std::function<void(const std::string&)> swap) {
    return [=](const TestFolder& f) {
      const std::string path = f.path() + "/mame/ctrlr/old/" + name;
      fs::remove(path);
      swap(path);
    };
  };
  const auto fifo = [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); };
  const auto zero = [](const std::string& path) { fs::create_symlink("/dev/zero", path); };
  const auto mine_cfg = [](const TestFolder& f) { f.Write("mame/ctrlr/old/mine.cfg", "<mameconfig/>"); };
  layouts.push_back({"an INI file swapped for a FIFO once listed", "old", mine_cfg, ConvertResult::kFailed, {},
                     "pong.ini", {"It is a named pipe (FIFO), not a file"}, "ctrlr/old.cfg.bak", "", "",
                     swapped("pong.ini", fifo)});
  layouts.push_back({"an INI file swapped for a link to /dev/zero once listed", "old", mine_cfg,
                     ConvertResult::kFailed, {}, "pong.ini", {"It is a device, not a file"}, "ctrlr/old.cfg.bak", "",
                     "", swapped("pong.ini", zero)});
  layouts.push_back({"a cfg file of the user's swapped for a FIFO once listed", "old", mine_cfg,
                     ConvertResult::kFailed, {}, "mine.cfg", {"It is a named pipe (FIFO), not a file"},
                     "ctrlr/old.cfg.bak", "", "", swapped("mine.cfg", fifo)});
  layouts.push_back({"a CR in an INI file's name", "old",
                     [](const TestFolder& f) { f.Write("mame/ctrlr/old/a\rb.ini", "P1_START \"KEY_1\""); },
                     ConvertResult::kCompleted, {"<system name=\"a&#13;b\">"}});
  layouts.push_back({"a backslash in an INI file's name", "old",
                     [](const TestFolder& f) { f.Write("mame/ctrlr/old/a\\b.ini", "P1_START \"KEY_1\""); },
                     ConvertResult::kCompleted, {"<system name=\"a\\b\">"}});
  layouts.push_back({"two INI files for one intermediate file", "old",
                     [](const TestFolder& f) { f.Write("mame/ctrlr/old/pong.INI", "P1_START \"KEY_1\""); },
                     ConvertResult::kFailed});
#endif
  return layouts;
}

TEST_F(WellFormedOutputTest, HostileFolderLayoutsLoseNothing) {
  for (const HostileLayout& layout : HostileLayouts()) {
    TestFolder root;
    root.Write("elsewhere.txt", "not ours");
    root.Write("mame/mame.ini", "rompath roms");
    root.Write("mame/keep.cfg", "<mameconfig/>");
    root.Write("mame/ctrlr/other.cfg", "another controller file");
    root.Write("mame/ctrlr/old.cfg", kPrevious);
    root.Write("mame/ctrlr/old/pong.ini", CrLf({"P1_BUTTON1 \"KEY_A\""}));
    root.Write("mame/ctrlr/old/default.ini", CrLf({"P1_START \"KEY_1\""}));
    root.MakeFolder("program");
    InstallStandInMame(root, "mame");
    InstallStandInListGenerator(root, "program", CrLf({MasterListLine("pong", "pong", "2")}));
    if (layout.arrange) layout.arrange(root);
    auto before = Snapshot(root.path() + "/mame");

    PlainWindow window;
    window.File1().SetChangeObserver([&] {
      if (window.File1().Pattern() != "*.cfg" || !layout.once_listed) return;
      layout.once_listed(root);
      before = Snapshot(root.path() + "/mame");
    });
    window.SetText1(layout.folder_name);
    window.SetText2(root.path() + "/mame" + layout.mame_end);
    if (!layout.exe.empty()) window.SetText3(layout.exe);
    ConvertResult result = ConvertFolder(window, root.path() + "/program");
    const std::string& prompt = window.messages().back().prompt;
    EXPECT_EQ(result, layout.expected) << layout.what << ": " << prompt;
    std::string shown;
    for (const ShownMessage& message : window.messages()) shown += message.prompt + "\n" + message.details;
    size_t after_noted = 0;
    for (const std::string& text : layout.noted) {
      const size_t at = shown.find(text, layout.noted_in_order ? after_noted : 0);
      EXPECT_NE(at, std::string::npos) << layout.what << ": " << text << " in " << shown;
      after_noted = at == std::string::npos ? after_noted : at;
    }
    if (result == ConvertResult::kFailed) {
      // Names a file of the old folder, or the combined file.
      EXPECT_TRUE(prompt.find(std::string("old") + static_cast<char>(fs::path::preferred_separator)) != std::string::npos ||
                  prompt.find("old.cfg") != std::string::npos) << prompt;
      EXPECT_EQ(prompt.find("//"), std::string::npos) << prompt;
      EXPECT_EQ(prompt.find("\\\\"), std::string::npos) << prompt;
      if (!layout.blamed.empty()) {
        EXPECT_NE(prompt.find(layout.blamed + "\""), std::string::npos) << prompt;
        EXPECT_EQ(prompt.find(".cfg\""), prompt.rfind(".cfg\"")) << prompt;  // no other file blamed
      }
    }

    // Every file that was there stays as it was, the user's cfg files too,
    // and nothing of ours is left; only a success replaces the combined file,
    // keeping the earlier one aside unless it was the program's own.
    auto after = Snapshot(root.path() + "/mame");
    std::string output = after["ctrlr/old.cfg"];
    if (result == ConvertResult::kCompleted) {
      if (!layout.aside.empty() && before.count("ctrlr/old.cfg")) {
        EXPECT_EQ(after[layout.aside], before["ctrlr/old.cfg"]) << layout.what;
        after.erase(layout.aside);
      }
      after["ctrlr/old.cfg"] = before["ctrlr/old.cfg"];
    }
    EXPECT_EQ(after, before) << layout.what;
    EXPECT_EQ(root.Read("elsewhere.txt"), "not ours") << layout.what;
    if (result == ConvertResult::kCompleted) {
      EXPECT_EQ(WellFormednessError(root.Read("mame/ctrlr/old.cfg")), "") << layout.what;
      EXPECT_FALSE(fs::is_symlink(root.path() + "/mame/ctrlr/old.cfg")) << layout.what;
      size_t after_last = 0;
      for (const std::string& once : layout.once) {
        const size_t at = output.find(once);
        EXPECT_TRUE(at != std::string::npos && at >= after_last && output.find(once, at + 1) == std::string::npos)
            << layout.what << ": " << once.substr(0, 80);
        after_last = at + once.size();
      }
    }
  }
}

}  // namespace
}  // namespace brantel
