#include "engine/convert.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <cstdlib>
#include <future>
#include <set>
#include <sstream>
#include <thread>

#include "engine/io/file_safety.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/plain_window.h"
#include "engine/text_rules.h"
#include "tests/convert_fixture.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace test_support;

const std::string kMasterList = CrLf({MasterListLine("pacman", "pacman", "2"),
                                      MasterListLine("mspacman", "pacman", "2"),
                                      MasterListLine("neogeo", "neogeo", "")});


const std::string kLeftover = CrLf({"<system name=\"leftover\">", "<input>", "</input>", "</system>"});

class ConvertTest : public ConvertFixture {
 protected:
  ConvertTest() {
    window_.SetText1("old");
    window_.SetText2(Mame());
    window_.SetText3("mame.exe");
  }

  // What the completion says of the stand-in MAME, which looks in its own
  // ctrlr folder and has no ctrlr set (on Windows it cannot be asked).
  std::string SetCtrlr() const {
#ifdef _WIN32
    return "For MAME to use it, set ctrlr old in mame.ini, or start MAME with -ctrlr old (a guess: MAME itself could "
           "not be asked, as it could not be started)";
#else
    return "MAME does not use it yet: it has no ctrlr set\nFor MAME to use it, put the line ctrlr old in " +
           HostPath(Mame() + "\\mame.ini") + ", or start MAME with -ctrlr old";
#endif
  }

  void ExpectOnlyMessage(const std::string& title, const std::string& prompt) {
    ASSERT_EQ(window_.messages().size(), 1u);
    EXPECT_EQ(window_.messages()[0].title, title);
    EXPECT_EQ(window_.messages()[0].prompt, prompt);
  }

  PlainWindow window_;
};

TEST_F(ConvertTest, ConvertsTheFolderIntoOneCombinedFile) {
  InstallStandInListGenerator(folder_, "program", kMasterList);
  // Notes in the order of the listings, not of the sections: mspacman's first.
  WriteIni("mspacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_2_PAD\""}));
  WriteIni("pacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_1_PAD\""}));
  WriteIni("default.ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\""}));
  WriteIni("neogeo.ini", CrLf({"P1_BUTTON1 \"KEYCODE_N\""}));
  WriteIni("sample.ini", SampleIni());
  WriteIni("leftover.cfg", "<mameconfig>" + kLeftover + "</mameconfig>");
  WriteIni(".hidden.ini", "not a game");
  // Pasted with quotes, as Explorer copies a path; on Windows, where no
  // folder name ends so, with a trailing dot and space too.
#ifdef _WIN32
  window_.SetText1("\"old\". ");
#else
  window_.SetText1("\"old\"");
#endif
  window_.SetText2("\"" + Mame() + "\\\"");

  EXPECT_EQ(ConvertFolder(window_, Program()), ConvertResult::kCompleted);

  // The notes on the sample come before the completion message.
  ASSERT_EQ(window_.messages().size(), 2u);
  const ShownMessage& notes = window_.messages()[0];
  EXPECT_EQ(notes.title, "Conversion Notes");
  EXPECT_EQ(notes.style, MessageStyle::kWarning);
  EXPECT_EQ(notes.prompt,
            "Not applied by MAME: 7 notes (2 unknown port types, 4 ports with no input, 1 line old MAME ignored).\n"
            "Changed so that current MAME reads it: 3 notes (2 files with old names replaced, 1 cfg file of your own "
            "merged).");
  std::string details = "Not applied by MAME:\n";
  for (const std::string& note : SampleNotes()) details += "sample.ini:" + note + "\n";
  const std::string replaced = ": 1 old name replaced by the current ones: KEYCODE_";
  EXPECT_EQ(notes.details, details + "\nChanged so that current MAME reads it:\n"
                                     "mspacman.ini" + replaced + "2_PAD by KEYCODE_2PAD\n"
                                     "pacman.ini" + replaced + "1_PAD by KEYCODE_1PAD\n"
                                     "leftover.cfg: your own cfg file: 1 system merged whole; the file stays as it was\n");
  EXPECT_EQ(window_.messages()[1].title, "Conversion Complete!");
  EXPECT_EQ(window_.messages()[1].prompt,
            "You can either keep your old folder or safely remove it at this time.\nThe new controller file is " +
                HostPath(std::filesystem::path(Mame()).make_preferred().string() + "\\ctrlr\\old.cfg") + "\n" + SetCtrlr());
  EXPECT_EQ(window_.Text1(), "old");
  EXPECT_EQ(window_.Text2(), Mame() + "\\");
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "mame.exe", " 0 "}));
  EXPECT_EQ(folder_.Read("program/listgen.ran"), "-s -ctrlr\n");
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"),
            CrLf({"<mameconfig version=\"10\">"}) +
                OnePortSection("default", "P1_BUTTON1", "KEYCODE_A") +
                CrLf({"", ""}) + kLeftover +
                OnePortSection("neogeo", "P1_BUTTON1", "KEYCODE_N") + SampleSection() +
                OnePortSection("pacman", "P1_BUTTON1", "KEYCODE_1PAD") +
                OnePortSection("mspacman", "P1_BUTTON1", "KEYCODE_2PAD") + CrLf({"", "</mameconfig>"}));
  std::set<std::string> left = {"default.ini", "mspacman.ini", "neogeo.ini", "pacman.ini", "sample.ini"};
  EXPECT_EQ(window_.File1().Pattern(), "*.ini");
  EXPECT_EQ(std::set<std::string>(window_.File1().Names().begin(), window_.File1().Names().end()), left);
  left.insert({".hidden.ini", "leftover.cfg"});
  EXPECT_EQ(OldFolderNames(), left);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(Program() + "/list generator"));

  // A second run rebuilds the same file, also from a relative MAME path.
  std::string first = folder_.Read("mame/ctrlr/old.cfg");
  std::filesystem::current_path(folder_.path());
  window_.SetText2("mame");
  EXPECT_EQ(ConvertFolder(window_, Program()), ConvertResult::kCompleted);
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"), first);
  EXPECT_EQ(window_.Text2(), std::filesystem::path(Mame()).make_preferred().string() + kHostSeparator);
}

// The completion message says whether MAME, asked with -showconfig, looks in
// the new file's folder and loads it, and if not what to set. When MAME
// cannot be asked, a mame.ini of MAME's that names the folder (its last
// ctrlr line counts, as in MAME) makes a guess.
TEST_F(ConvertTest, CompletionSaysHowMameUsesTheNewFile) {
  InstallStandInListGenerator(folder_, "program", kMasterList);
  WriteIni("pacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_B\""}));
  const std::string ctrlr = HostPath(Mame() + "\\ctrlr"), guess = " (a guess: MAME itself could not be asked, as ";
  const auto uses = [&](const std::string& mame_ini, const std::string& why) {
    return "MAME probably uses it: the ctrlr line of " + HostPath(mame_ini) + " names old" + guess + why + ")";
  };
#ifdef _WIN32
  const std::string no_answer = "it could not be started", failed = no_answer;  // the stand-in is no program there
#else
  const std::string no_answer = "mame -showconfig named no ctrlrpath", failed = "mame -showconfig ended with exit status 3";
#endif
  const std::string set = "For MAME to use it, set ctrlr old in mame.ini, or start MAME with -ctrlr old" + guess;
  const std::string home = folder_.MakeFolder("home");
  const struct {
    std::string mame_ini;  // in the test folder
    std::string bytes;
    std::string showconfig;  // what the stand-in MAME runs when asked
    std::string said;
    char kind = 'f';  // what is at mame_ini: a file, a FIFO (p) or a folder (d)
  } kCases[] = {
      {"mame/mame.ini", "", ":", set + no_answer + ")"},
      {"mame/mame.ini", "ctrlr                     old\r\n", "exit 3", uses(Mame() + "\\mame.ini", failed)},
      {"mame/mame.ini", "\xEF\xBB\xBF" "ctrlr \"old\" # mine\n", ":", uses(Mame() + "\\mame.ini", no_answer)},
      {"mame/mame.ini", "ctrlr old\r\nctrlr other\r\n", ":", set + no_answer + ")"},
      {"mame/mame.ini", "#ctrlr old\r\nctrlrpath old\r\nctrlr\r\n", ":", set + no_answer + ")"},
#ifndef _WIN32
      // Never opened, never waited on.
      {"mame/mame.ini", "", "exit 3", set + failed + ")", 'p'},
      {"mame/mame.ini", "", "exit 3", set + failed + ")", 'd'},
      // Debian's MAME reads the user's own.
      {"home/.mame/mame.ini", "ctrlr old\n", "exit 3", uses(home + "/.mame/mame.ini", failed)},
      // MAME's own word, whatever its mame.ini files say.
      {"mame/mame.ini", "ctrlr other", "printf 'ctrlrpath $HOME/../mame/ctrlr;/x\\nctrlr old\\n'",
       "MAME already uses it: its ctrlrpath holds " + ctrlr + " and its ctrlr names old"},
      // Asked from its own folder, where it reads its mame.ini.
      {"mame/mame.ini", "", "printf 'ctrlrpath %s/ctrlr\\nctrlr old\\n' \"$PWD\"",
       "MAME already uses it: its ctrlrpath holds " + ctrlr + " and its ctrlr names old"},
      {"home/old.cfg", "", "printf 'ctrlrpath $HOME;ctrlr\\nctrlr old\\n'",
       "MAME does not use it yet: it loads " + home + "/old.cfg instead, found first along its ctrlrpath\n"
       "For MAME to use it, rename that file, or put " + ctrlr + " before its folder in ctrlrpath"},
      {"mame/mame.ini", "ctrlr old", "printf 'ctrlrpath \"/x y\"\\nctrlr old\\ninipath $HOME/.mame;/etc/mame\\n'",
       "MAME does not use it yet: its ctrlrpath (/x y) does not hold " + ctrlr + "\nFor MAME to use it, put the line "
       "ctrlrpath \"" + ctrlr + ";/x y\" in " + home + "/.mame/mame.ini, or start MAME with -ctrlrpath " + ctrlr +
       " -ctrlr old"},
      {"mame/mame.ini", "", "printf 'ctrlrpath\\nctrlr \"my cab\"\\n'",
       "MAME does not use it yet: its ctrlrpath () does not hold " + ctrlr + " and its ctrlr names \"my cab\"\n"
       "For MAME to use it, put the lines ctrlrpath " + ctrlr + " and ctrlr old in mame.ini, or start MAME with "
       "-ctrlrpath " + ctrlr + " -ctrlr old"},
#endif
  };
#ifndef _WIN32
  const std::string real_home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("HOME", home.c_str(), 1);
#endif
  for (const auto& c : kCases) {
    std::filesystem::remove(folder_.path() + "/mame/mame.ini");
    if (c.kind == 'f') folder_.Write(c.mame_ini, c.bytes);
#ifndef _WIN32
    if (c.kind == 'p') ASSERT_EQ(mkfifo((folder_.path() + "/" + c.mame_ini).c_str(), 0600), 0);
#endif
    if (c.kind == 'd') folder_.MakeFolder(c.mame_ini);
    folder_.Write("mame/showconfig.sh", c.showconfig);
    PlainWindow window;
    window.SetText1("old");
    window.SetText2(Mame());
    EXPECT_EQ(ConvertFolder(window, Program()), ConvertResult::kCompleted) << c.bytes;
    const std::string& prompt = window.messages().back().prompt;
    EXPECT_EQ(prompt.substr(prompt.find('\n', prompt.find("file is ")) + 1), c.said) << c.showconfig;
  }
#ifndef _WIN32
  setenv("HOME", real_home.c_str(), 1);
#endif
}

TEST_F(ConvertTest, WaitsForAnotherConvertOfTheProgramFolderKeepingTheWindowAlive) {
  InstallStandInListGenerator(folder_, "program", kMasterList);
  WriteIni("pacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_B\""}));
  std::promise<void> held;
  std::thread other([&] {
    FolderLock lock(Program());
    held.set_value();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  });
  held.get_future().wait();
  int calls = 0;
  EXPECT_EQ(ConvertFolder(window_, Program(), [&] { ++calls; }), ConvertResult::kCompleted);
  other.join();
  EXPECT_GT(calls, 0);
}

// The usual mistakes are named, each with what was meant on a line of its
// own; nothing is converted on the guess.
TEST_F(ConvertTest, MissingFolderStopsBeforeAnythingIsWrittenSayingWhatWasMeant) {
  folder_.Write("mame/mame64.exe", "");
  folder_.MakeFolder("mame/Ctrlr");
  const std::string mame = HostPath(Mame() + "\\");
  const struct {
    std::string name, path, kept_path, probe, meant;
  } kCases[] = {
      {"nothere", Mame(), mame, mame + HostPath("ctrlr\\nothere\\"), ""},
      {"old", Mame() + "\\mame64.exe", Mame() + "\\mame64.exe" + kHostSeparator, HostPath(Mame() + "\\mame64.exe\\ctrlr\\old\\"),
       "\nThe path to MAME names the program itself; use the folder that holds it: " + mame},
      {"old", Mame() + "\\ctrlr\\", Mame() + "\\ctrlr\\", HostPath(Mame() + "\\ctrlr\\ctrlr\\old\\"),
       "\nThe path to MAME names MAME's ctrlr folder; use the folder above it: " + mame},
      {"old", Mame() + "\\Ctrlr", Mame() + "\\Ctrlr" + kHostSeparator, HostPath(Mame() + "\\Ctrlr\\ctrlr\\old\\"),
       "\nThe path to MAME names MAME's ctrlr folder; use the folder above it: " + mame},
      {Mame() + "\\ctrlr\\old", Mame(), mame, HostPath(Mame() + "\\ctrlr\\" + Mame() + "\\ctrlr\\old\\"),
       "\nThe folder name holds a whole path; use the name of the folder inside ctrlr: old"},
#ifndef _WIN32
      {"nothere", "~/mame", "~/mame/", mame + "ctrlr/nothere/", ""},  // as the shell reads it
#endif
  };
#ifndef _WIN32
  const std::string real_home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("HOME", (folder_.path() + "/").c_str(), 1);
#endif
  for (const auto& c : kCases) {
    PlainWindow window;
    window.SetText1(c.name);
    window.SetText2(c.path);
    EXPECT_EQ(ConvertFolder(window, Program()), ConvertResult::kPathError);
    ASSERT_EQ(window.messages().size(), 1u);
    EXPECT_EQ(window.messages()[0].title, "File Path Error");
    EXPECT_EQ(window.messages()[0].prompt, "Directory Not Found!\n" + DisplayPath(c.probe) + c.meant);  // no "//"
    EXPECT_EQ(window.messages()[0].style, MessageStyle::kCritical);
    EXPECT_EQ(window.Text2(), c.kept_path);
  }
#ifndef _WIN32
  setenv("HOME", real_home.c_str(), 1);
#endif
  EXPECT_FALSE(folder_.Exists("program/brantel.cfg"));
  EXPECT_FALSE(folder_.Exists("mame/ctrlr/old.cfg"));
}

TEST_F(ConvertTest, FolderWithoutIniFilesKeepsItsCfgFiles) {
  InstallStandInListGenerator(folder_, "program", kMasterList);
  WriteIni("pacman.cfg", "kept");
  EXPECT_EQ(ConvertFolder(window_, Program()), ConvertResult::kPathError);
  ExpectOnlyMessage("File Path Error", "No INI files found in this folder!\n" + HostPath(Mame() + "\\ctrlr\\old\\"));
  EXPECT_TRUE(folder_.Exists("program/listgen.ran"));
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", HostPath(Mame() + "\\"), "mame.exe", " 0 "}));
  EXPECT_EQ(folder_.Read("mame/ctrlr/old/pacman.cfg"), "kept");
  EXPECT_FALSE(folder_.Exists("mame/ctrlr/old.cfg"));
}

TEST_F(ConvertTest, FailuresAreReportedNamingTheFile) {
  WriteIni("pacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_B\""}));
  // No list generator folder at all.
  EXPECT_EQ(ConvertFolder(window_, Program()), ConvertResult::kFailed);
  ASSERT_EQ(window_.messages().size(), 1u);
  EXPECT_EQ(window_.messages()[0].title, "Conversion Failed");
  EXPECT_EQ(window_.messages()[0].style, MessageStyle::kCritical);
  EXPECT_NE(window_.messages()[0].prompt.find("list generator"), std::string::npos);

  // A list generator that leaves no master list.
  folder_.MakeFolder("program/list generator");
  EXPECT_EQ(ConvertFolder(window_, Program()), ConvertResult::kFailed);
  EXPECT_NE(window_.messages().back().prompt.find("did not produce the master list"),
            std::string::npos);
  EXPECT_FALSE(folder_.Exists("mame/ctrlr/old.cfg"));
  EXPECT_FALSE(folder_.Exists("mame/ctrlr/old/pacman.cfg"));  // written, then removed at the stop

  // A cfg file of the user's own that is not XML.
  InstallStandInListGenerator(folder_, "program", kMasterList);
  WriteIni("pacman.cfg", "<system>");
  folder_.Write("mame/ctrlr/old.cfg", "previous");
  EXPECT_EQ(ConvertFolder(window_, Program()), ConvertResult::kFailed);
  EXPECT_NE(window_.messages().back().prompt.find("pacman.cfg"), std::string::npos);
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"), "previous");
}

#ifndef _WIN32
// What the list generator did decides whether Convert can go on: its own
// words and how it ended are shown; a list it leaves unusable is refused.
TEST_F(ConvertTest, ListGeneratorFailuresAreReportedInItsOwnWords) {
  struct Case {
    std::string script;    // the list generator
    std::string previous;  // the master list before it runs
    ConvertResult expected;
    std::vector<std::string> shown;  // "!" first: not shown
    int check_box = 0;
  };
  const std::string good = kMasterList;
  const std::string pacman = MasterListLine("pacman", "pacman", "2");
  const std::string one_field_short = pacman.substr(0, pacman.rfind('|')) + "\r\n";
  const std::string missing_mame = "echo 'listgen: Could not start \"/x/mamee\": No such file' >&2; exit 1";
  const std::vector<Case> cases = {
      {missing_mame, "", ConvertResult::kFailed, {"Could not start \"/x/mamee\"", "exit status 1"}},
      {missing_mame, good, ConvertResult::kCompleted, {"could not be made anew", "Could not start", "exit status 1"}},
      {"kill -9 $$", "", ConvertResult::kFailed, {"signal 9"}},
      {"rm ../masterlist.lst; mkfifo ../masterlist.lst; exit 1", "x", ConvertResult::kFailed, {"no ordinary file"}},
      {"printf '%05000d\\nlast words\\n' 0 >&2; exit 1", "", ConvertResult::kFailed, {"last words"}},
      {"kill -9 $$", "\x01\x02|\r\n", ConvertResult::kFailed, {"signal 9", "line 1 has 2 fields"}},
      {": > ../masterlist.lst", good, ConvertResult::kFailed, {"It is empty"}},
      {"printf 'pacman|x|1980|M|pacman|MA' > ../masterlist.lst", "", ConvertResult::kFailed, {"6 fields"}},
      // A kept list that cannot be used is asked for anew, once.
      {"case \"$*\" in *-new) cp good.lst ../masterlist.lst;; esac", one_field_short, ConvertResult::kCompleted,
       {"line 1 has 9 fields where 10 are needed), so it was made anew",
        "Changed so that current MAME reads it: 1 note (1 master list made anew)."}},
      {"case \"$*\" in *-new) cp good.lst ../masterlist.lst;; esac", "pac" + std::string(1, '\0') + good.substr(3),
       ConvertResult::kCompleted, {"line 1 holds a NUL byte), so it was made anew"}},
      {"case \"$*\" in *-new) cp good.lst ../masterlist.lst;; esac", RemoveAll(good, "\r"), ConvertResult::kCompleted,
       {"line 1 does not end in CR LF), so it was made anew"}},
      {"case \"$*\" in *-new) echo 'listgen: MAME crashed' >&2; exit 3;; esac", one_field_short,
       ConvertResult::kFailed, {"line 1 has 9 fields", "asked for a new list: listgen: MAME crashed", "exit status 3"}},
      // Ticked, the list is asked for anew once only.
      {"case \"$*\" in *-new) : > ../masterlist.lst;; esac", one_field_short, ConvertResult::kFailed,
       {"It is empty", "!asked for a new list"}, 1},
  };
  folder_.Write("program/list generator/good.lst", good);
  WriteIni("mspacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_C\""}));
  for (const Case& c : cases) {
    std::filesystem::remove(Program() + "/masterlist.lst");
    if (!c.previous.empty()) folder_.Write("program/masterlist.lst", c.previous);
    const std::string script = folder_.Write("program/list generator/listgen", "#!/bin/sh\n" + c.script + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    PlainWindow window;
    window.SetText1("old");
    window.SetText2(Mame());
    window.SetCheckBoxValue(c.check_box);
    EXPECT_EQ(ConvertFolder(window, Program()), c.expected) << c.script;
    std::string shown;
    for (const ShownMessage& message : window.messages()) shown += message.prompt + message.details;
    for (const std::string& text : c.shown) {
      EXPECT_EQ(shown.find(text.substr(text[0] == '!')) == std::string::npos, text[0] == '!') << c.script << ": " << shown;
    }
  }
}
#endif

}  // namespace
}  // namespace brantel
