// Whatever bytes old INI files hold, the combined file must stay well-formed
// XML: MAME refuses the whole file otherwise.
#include <expat.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <random>

#include "engine/convert.h"
#include "engine/plain_window.h"
#include "tests/convert_fixture.h"

namespace brantel {
namespace {

using namespace test_support;

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
                                         "\xED\xA0\x80", "\x0B", "\n", "\r", "KEYCODE_1&_A", "'",
                                         "trackball_ini"};
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
  std::string once = "<mameconfig ";  // a text a success writes exactly once
};

const std::string kPrevious = "previous combined file";

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
      {"default.ini in capitals", "old",
       [](const TestFolder& f) {
         fs::rename(f.path() + "/mame/ctrlr/old/default.ini", f.path() + "/mame/ctrlr/old/Default.INI");
       },
       ConvertResult::kCompleted, "<system name=\"default\">"},
  };
#ifndef _WIN32
  auto link = [](const TestFolder& f, const std::string& target, const std::string& name) {
    fs::create_symlink(target, f.path() + "/" + name);
  };
  layouts.push_back({"a link back up to ctrlr", "up",
                     [=](const TestFolder& f) { link(f, ".", "mame/ctrlr/up"); },
                     ConvertResult::kPathError});
  layouts.push_back({"intermediate name linked to a file elsewhere", "old",
                     [=](const TestFolder& f) { link(f, "../../../elsewhere.txt", "mame/ctrlr/old/pong.cfg"); },
                     ConvertResult::kCompleted});
  layouts.push_back({"intermediate name hard-linked to its INI file", "old",
                     [](const TestFolder& f) {
                       fs::create_hard_link(f.path() + "/mame/ctrlr/old/pong.ini",
                                            f.path() + "/mame/ctrlr/old/pong.cfg");
                     },
                     ConvertResult::kCompleted});
  layouts.push_back({"combined file linked to a file elsewhere", "old",
                     [=](const TestFolder& f) {
                       fs::remove(f.path() + "/mame/ctrlr/old.cfg");
                       link(f, "../../elsewhere.txt", "mame/ctrlr/old.cfg");
                     },
                     ConvertResult::kCompleted});
  layouts.push_back({"a CR in an INI file's name", "old",
                     [](const TestFolder& f) { f.Write("mame/ctrlr/old/a\rb.ini", "P1_START \"KEY_1\""); },
                     ConvertResult::kCompleted, "<system name=\"a&#13;b\">"});
  layouts.push_back({"a backslash in an INI file's name", "old",
                     [](const TestFolder& f) { f.Write("mame/ctrlr/old/a\\b.ini", "P1_START \"KEY_1\""); },
                     ConvertResult::kCompleted, "<system name=\"a\\b\">"});
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
    InstallStandInListGenerator(root, "program", CrLf({MasterListLine("pong", "pong", "2")}));
    if (layout.arrange) layout.arrange(root);
    auto before = Snapshot(root.path() + "/mame");

    PlainWindow window;
    window.SetText1(layout.folder_name);
    window.SetText2(root.path() + "/mame");
    ConvertResult result = ConvertFolder(window, root.path() + "/program");
    const std::string& prompt = window.messages().back().prompt;
    EXPECT_EQ(result, layout.expected) << layout.what << ": " << prompt;
    if (result == ConvertResult::kFailed) {
      EXPECT_NE(prompt.find(std::string("old") + static_cast<char>(fs::path::preferred_separator)),
                std::string::npos) << prompt;  // names a file of the old folder
      EXPECT_EQ(prompt.find("//"), std::string::npos) << prompt;
      EXPECT_EQ(prompt.find("\\\\"), std::string::npos) << prompt;
    }

    auto after = Snapshot(root.path() + "/mame");
    for (const auto& [name, content] : before) {
      bool old_folder_cfg = name.rfind("ctrlr/old/", 0) == 0 && name.size() > 4 &&
                            name.compare(name.size() - 4, 4, ".cfg") == 0;
      bool combined = name == "ctrlr/old.cfg";
      if ((old_folder_cfg || combined) && result == ConvertResult::kCompleted) continue;
      EXPECT_EQ(after[name], content) << layout.what << ": " << name;
    }
    EXPECT_EQ(root.Read("elsewhere.txt"), "not ours") << layout.what;
    if (result == ConvertResult::kCompleted) {
      EXPECT_EQ(WellFormednessError(root.Read("mame/ctrlr/old.cfg")), "") << layout.what;
      EXPECT_FALSE(fs::is_symlink(root.path() + "/mame/ctrlr/old.cfg")) << layout.what;
      std::string output = root.Read("mame/ctrlr/old.cfg");
      size_t at = output.find(layout.once);
      EXPECT_TRUE(at != std::string::npos && output.find(layout.once, at + 1) == std::string::npos)
          << layout.what;
    } else {
      EXPECT_EQ(after, before) << layout.what;
    }
  }
}

}  // namespace
}  // namespace brantel
