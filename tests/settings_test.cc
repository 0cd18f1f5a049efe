// The settings file: what a load makes of every shape of file, and the exact
// bytes a save writes.
#include "ui/settings.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/user_folders.h"
#include "engine/program_files.h"
#include "engine/plain_window.h"
#include "tests/test_folder.h"

namespace brantel {
namespace {

using test_support::CrLf;
using test_support::SetUserFolders;
using test_support::TestFolder;

// Where a new window and an empty box look for MAME on this host.
#ifdef _WIN32
const std::string kFirstStartPath = "e:\\mame\\", kDefaultPath = "C:\\mame\\", kExecutable = "mame.exe";
#else
// Under HOME, where Debian's MAME keeps its data; a final "/" of HOME is not doubled.
const char* const kHome = "/home/cabinet/";
const std::string kFirstStartPath = "/home/cabinet/mame/", kDefaultPath = kFirstStartPath, kExecutable = "mame";
#endif

// What a path to MAME gets at its end: the host's separator.
const std::string kAdded(1, kHostSeparator);

class SettingsTest : public ::testing::Test {
 protected:
  std::string ProgramFolder() const { return folder_.path(); }
  std::string SettingsBytes() const { return folder_.Read("brantel.cfg"); }

  // Loads `bytes` as the settings file into `window_`.
  void LoadFrom(const std::string& bytes) {
    folder_.Write("brantel.cfg", bytes);
    LoadSettings(window_, ProgramFolder());
  }

  void ExpectTexts(const std::string& text1, const std::string& text2, const std::string& text3) {
    EXPECT_EQ(window_.Text1(), text1);
    EXPECT_EQ(window_.Text2(), text2);
    EXPECT_EQ(window_.Text3(), text3);
  }

#ifndef _WIN32
  int home_set_ = setenv("HOME", kHome, 1);  // before the window takes its first texts
#endif
  TestFolder folder_;
  PlainWindow window_;
};

TEST_F(SettingsTest, SaveWritesTheThreeTextsAndTheCheckBoxAsAnIntegerItem) {
  window_.SetText1("hotrod");
  window_.SetText2("C:\\mame\\");
  window_.SetText3("mame.exe");
  window_.SetCheckBoxValue(1);
  SaveSettings(window_, ProgramFolder());
  EXPECT_EQ(SettingsBytes(), "hotrod\r\nC:\\mame\\\r\nmame.exe\r\n 1 \r\n");
}

TEST_F(SettingsTest, SaveWritesTextsUnchangedAndReplacesTheWholeFile) {
  folder_.Write("brantel.cfg", "an older and much longer file\r\nof five\r\nlines\r\n 1 \r\nextra\r\n");
  window_.SetText1("  spaced  ");
  window_.SetText2("no backslash");
  window_.SetText3("");
  SaveSettings(window_, ProgramFolder());
  EXPECT_EQ(SettingsBytes(), "  spaced  \r\nno backslash\r\n\r\n 0 \r\n");
}

// A program folder that cannot be written (/sys: not even root may write there)
// keeps its settings in the user's settings folder and its master list in
// the user's cache folder, both made when missing; with no such folder to be
// made, the save names it.
TEST_F(SettingsTest, AProgramFolderThatCannotBeWrittenUsesTheUsersFolders) {
#ifdef _WIN32
  const std::string unwritable = "Z:\\sys";
#else
  const std::string unwritable = "/sys";
#endif
  // Neither there yet, nor (on POSIX, as the XDG rules ask) the folder above them.
  const std::string config = folder_.path() + "/xdg/.config", cache = folder_.path() + "/xdg/.cache";
#ifdef _WIN32
  folder_.MakeFolder("xdg");
#endif
  SetUserFolders(config, cache);
  // Any other failure is no refusal, and is reported (here: no such folder).
  EXPECT_THROW(KeptFilesOf(ProgramFolder() + "/no such folder"), IoError);
  const KeptFiles told = WhereFilesAreKept(unwritable);  // as the usage names them: nothing made
  EXPECT_FALSE(folder_.Exists("xdg/.config") || folder_.Exists("xdg/.cache"));
  const KeptFiles files = KeptFilesOf(unwritable);
  EXPECT_EQ(told.settings_file, files.settings_file);
  EXPECT_EQ(told.master_list, files.master_list);
  EXPECT_EQ(files.settings_file, JoinPath(JoinPath(config, "brantel"), "brantel.cfg"));
  EXPECT_EQ(files.master_list, JoinPath(JoinPath(cache, "brantel"), "masterlist.lst"));
  EXPECT_EQ(files.source_record, JoinPath(JoinPath(cache, "brantel"), "masterlist.source"));
  window_.SetText1("hotrod");
  SaveSettings(window_, unwritable);
  PlainWindow loaded;
  LoadSettings(loaded, unwritable);
  EXPECT_EQ(loaded.Text1(), "hotrod");

  SetUserFolders(folder_.Write("a file", "") + "/config", cache);
  try {
    SaveSettings(window_, unwritable);
    FAIL() << "the save succeeded with no folder to save in";
  } catch (const IoError& error) {
    EXPECT_NE(error.file().find("a file"), std::string::npos) << error.file();
  }
}

#ifndef _WIN32
// An absolute XDG variable, else the folder under HOME, else under the home
// of the user's account, as "~" is read.
TEST_F(SettingsTest, UserFoldersFollowTheXdgVariablesThenHomeThenTheAccount) {
  const passwd* account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  const std::string own = account->pw_dir;
  const struct {
    const char* home;
    const char* xdg;  // both XDG variables
    std::string settings, cache;
  } kCases[] = {
      {"/h", "/x", "/x", "/x"},
      {"/h", "x", "/h/.config", "/h/.cache"},
      {"/h", nullptr, "/h/.config", "/h/.cache"},
      {"", nullptr, own + "/.config", own + "/.cache"},
      {nullptr, nullptr, own + "/.config", own + "/.cache"},
      {nullptr, "/x", "/x", "/x"},
  };
  const auto set = [](const char* name, const char* value) { value ? setenv(name, value, 1) : unsetenv(name); };
  for (const auto& c : kCases) {
    set("HOME", c.home);
    set("XDG_CONFIG_HOME", c.xdg);
    set("XDG_CACHE_HOME", c.xdg);
    EXPECT_EQ(UserSettingsFolder(), c.settings) << (c.home ? c.home : "no HOME");
    EXPECT_EQ(UserCacheFolder(), c.cache) << (c.home ? c.home : "no HOME");
  }
  setenv("HOME", kHome, 1);
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_CACHE_HOME");
}
#endif

TEST_F(SettingsTest, SavedSettingsLoadBackUnchanged) {
  for (int value : {0, 1, 2}) {
    PlainWindow saved;
    saved.SetText1("hotrod");
    saved.SetText2("C:\\mame\\");
    saved.SetText3("mame64.exe");
    saved.SetCheckBoxValue(value);
    SaveSettings(saved, ProgramFolder());

    PlainWindow loaded;
    LoadSettings(loaded, ProgramFolder());
    EXPECT_EQ(loaded.Text1(), "hotrod");
    EXPECT_EQ(loaded.Text2(), "C:\\mame\\");
    EXPECT_EQ(loaded.Text3(), "mame64.exe");
    EXPECT_EQ(loaded.CheckBoxValue(), value);

    SaveSettings(loaded, ProgramFolder());
    EXPECT_EQ(SettingsBytes(),
              "hotrod\r\nC:\\mame\\\r\nmame64.exe\r\n " + std::to_string(value) + " \r\n");
  }
}

// Without a file nothing is read and no default applies: the initial texts
// are not empty.
TEST_F(SettingsTest, NoFileKeepsTheInitialTexts) {
  LoadSettings(window_, ProgramFolder());
  ExpectTexts("stormcabinet", kFirstStartPath, kExecutable);
  EXPECT_EQ(window_.CheckBoxValue(), 0);
}

TEST_F(SettingsTest, NoFileLeavesATextOfSpacesAloneButStillEndsTheMamePathInASeparator) {
  window_.SetText1("   ");
  window_.SetText2("d:\\games\\mame");
  LoadSettings(window_, ProgramFolder());
  ExpectTexts("   ", "d:\\games\\mame" + kAdded, kExecutable);
}

// The lookup of the file compares its stored name exactly, so a name that
// differs in case counts as no file, on every host.
TEST_F(SettingsTest, AFileNamedInAnotherCaseIsNotRead) {
  folder_.Write("BRANTEL.CFG", "hotrod\r\nC:\\mame\\\r\nmame.exe\r\n 1 \r\n");
  LoadSettings(window_, ProgramFolder());
  ExpectTexts("stormcabinet", kFirstStartPath, kExecutable);
  EXPECT_EQ(window_.CheckBoxValue(), 0);
}

// Every read fails, the working line stays empty: the boxes are emptied and
// unchecked, then the defaults fill them.
TEST_F(SettingsTest, AnEmptyFileGivesTheDefaultsAndClearsTheCheckBox) {
  window_.SetCheckBoxValue(1);
  LoadFrom("");
  ExpectTexts("hotrod", kDefaultPath, kExecutable);
  EXPECT_EQ(window_.CheckBoxValue(), 0);
}

TEST_F(SettingsTest, AFileOfOneLineFillsEveryBoxWithIt) {
  LoadFrom("1\r\n");
  ExpectTexts("1", "1" + kAdded, "1");
  EXPECT_EQ(window_.CheckBoxValue(), 1);
}

TEST_F(SettingsTest, AFileOfTwoLinesRepeatsTheSecond) {
  LoadFrom("old\r\n2");
  ExpectTexts("old", "2" + kAdded, "2");
  EXPECT_EQ(window_.CheckBoxValue(), 2);
}

// The three lines the Convert operation writes: line 3 is read again for the
// check box, and "mame.exe" reads as 0.
TEST_F(SettingsTest, AFileOfThreeLinesUnchecksTheBox) {
  window_.SetCheckBoxValue(1);
  LoadFrom("hotrod\r\nC:\\mame\r\nmame.exe\r\n");
  ExpectTexts("hotrod", "C:\\mame" + kAdded, "mame.exe");
  EXPECT_EQ(window_.CheckBoxValue(), 0);
}

TEST_F(SettingsTest, LinesAreTrimmedOfSpacesOnly) {
  LoadFrom("  hotrod  \r\n\tC:\\mame\\\t\r\n mame.exe \r\n 1 \r\n");
  ExpectTexts("hotrod", "\tC:\\mame\\\t" + kAdded, "mame.exe");
  EXPECT_EQ(window_.CheckBoxValue(), 1);
}

TEST_F(SettingsTest, AnOverlongLineIsCutWithANote) {
  folder_.Write("brantel.cfg", "hotrod\r\n" + std::string(3 * 64 * 1024, 'x') + "\r\nmame.exe\r\n");
  std::vector<std::string> notes;
  LoadSettings(window_, ProgramFolder(), &notes);
  EXPECT_TRUE(window_.Text2() == std::string(64 * 1024, 'x') + kAdded);  // not printed: 64 KB
  EXPECT_EQ(window_.Text3(), "mame.exe");
  EXPECT_EQ(notes, std::vector<std::string>{"brantel.cfg:2: a line longer than 65536 bytes, cut to its first 65536"});
}

TEST_F(SettingsTest, EmptyAndAllSpaceLinesGetTheirDefaults) {
  LoadFrom("\r\n    \r\n \r\n 1 \r\n");
  ExpectTexts("hotrod", kDefaultPath, kExecutable);
  EXPECT_EQ(window_.CheckBoxValue(), 1);
}

TEST_F(SettingsTest, AMamePathEndingInABackslashLoadsUnchanged) {
  LoadFrom("hotrod\r\nd:\\emu\\\r\nmame.exe\r\n 0 \r\n");
  EXPECT_EQ(window_.Text2(), "d:\\emu\\");
  LoadFrom("hotrod\r\nd:/emu/\r\nmame.exe\r\n 0 \r\n");
#ifdef _WIN32
  EXPECT_EQ(window_.Text2(), "d:/emu/\\");
#else
  EXPECT_EQ(window_.Text2(), "d:/emu/") << "on POSIX \"/\" is the separator \"\\\" maps to";
#endif
}

#ifndef _WIN32
TEST_F(SettingsTest, WithoutHomeLinuxLooksForMameInTheAccountsHomeFolder) {
  unsetenv("HOME");
  const std::string path = PlainWindow().Text2();
  EXPECT_TRUE(path.size() > 6 && path.starts_with("/") && path.ends_with("/mame/")) << path;
}
#endif

TEST_F(SettingsTest, LinesAfterTheFourthAreIgnoredAndTheNextSaveDropsThem) {
  LoadFrom("hotrod\r\nC:\\mame\\\r\nmame.exe\r\n 2 \r\nfifth\r\nsixth\r\n");
  ExpectTexts("hotrod", "C:\\mame\\", "mame.exe");
  EXPECT_EQ(window_.CheckBoxValue(), 2);
  SaveSettings(window_, ProgramFolder());
  EXPECT_EQ(SettingsBytes(), "hotrod\r\nC:\\mame\\\r\nmame.exe\r\n 2 \r\n");
}

// A file edited elsewhere ends its lines in LF, or in CR alone.
TEST_F(SettingsTest, EveryLineEndEndsALine) {
  for (const char* bytes : {"hotrod\nC:\\mame\\\nmame.exe\n 1 \n", "hotrod\rC:\\mame\\\rmame.exe\r 1 "}) {
    LoadFrom(bytes);
    ExpectTexts("hotrod", "C:\\mame\\", "mame.exe");
    EXPECT_EQ(window_.CheckBoxValue(), 1);
  }
}

TEST_F(SettingsTest, TheFileListShowsTheLoadedOldFolder) {
  folder_.Write("mame/ctrlr/old ctrlr/pacman.ini", "");
  folder_.Write("mame/ctrlr/old ctrlr/notes.txt", "");
  LoadFrom(CrLf({"old ctrlr", folder_.path() + "/mame", "mame.exe", " 0 "}));
  EXPECT_EQ(window_.File1().Names(), std::vector<std::string>{"pacman.ini"});

  LoadFrom(CrLf({"no such folder", folder_.path() + "/mame", "mame.exe", " 0 "}));
  EXPECT_EQ(window_.File1().Names(), std::vector<std::string>{});
}

// Line 4 against a box that starts checked, so that a refused value shows.
struct CheckBoxLine {
  const char* line;
  int value;
};

void PrintTo(const CheckBoxLine& check, std::ostream* out) {
  *out << "line 4 \"" << check.line << "\" gives " << check.value;
}

class CheckBoxLineTest : public SettingsTest,
                         public ::testing::WithParamInterface<CheckBoxLine> {};

TEST_P(CheckBoxLineTest, SetsTheRoundedValueOrKeepsTheBox) {
  window_.SetCheckBoxValue(1);
  LoadFrom(std::string("hotrod\r\nC:\\mame\\\r\nmame.exe\r\n") + GetParam().line + "\r\n");
  EXPECT_EQ(window_.CheckBoxValue(), GetParam().value) << "line 4: \"" << GetParam().line << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    LineFour, CheckBoxLineTest,
    ::testing::Values(CheckBoxLine{" 0 ", 0}, CheckBoxLine{" 2 ", 2}, CheckBoxLine{"0.5", 0},
                      CheckBoxLine{"1.5", 2}, CheckBoxLine{"2.5", 2}, CheckBoxLine{"0.51", 1},
                      CheckBoxLine{"0.4999", 0}, CheckBoxLine{"0.50000000000000000001", 1},
                      CheckBoxLine{".5", 0}, CheckBoxLine{"-0.4", 0}, CheckBoxLine{"+2", 2},
                      CheckBoxLine{"2abc", 2}, CheckBoxLine{"2.4.9", 2}, CheckBoxLine{"2,9", 2},
                      CheckBoxLine{"1e9", 1}, CheckBoxLine{"mame.exe", 0}, CheckBoxLine{"", 0},
                      CheckBoxLine{"0002", 2},
                      // refused: not 0, 1 or 2
                      CheckBoxLine{"7", 1}, CheckBoxLine{"-1", 1}, CheckBoxLine{"2.51", 1},
                      CheckBoxLine{"-0.6", 1}, CheckBoxLine{"32768", 1},
                      CheckBoxLine{"99999999999999999999", 1}));

TEST(RoundedNumericValue, StaysWithinSixteenBits) {
  EXPECT_EQ(RoundedNumericValue("32767"), 32767);
  EXPECT_EQ(RoundedNumericValue("32767.4"), 32767);
  EXPECT_EQ(RoundedNumericValue("32767.5"), std::nullopt);
  EXPECT_EQ(RoundedNumericValue("32768"), std::nullopt);
  EXPECT_EQ(RoundedNumericValue("-32768"), -32768);
  EXPECT_EQ(RoundedNumericValue("-32768.5"), -32768);
  EXPECT_EQ(RoundedNumericValue("-32768.51"), std::nullopt);
  EXPECT_EQ(RoundedNumericValue("0000000000000000000000012"), 12);
  EXPECT_EQ(RoundedNumericValue("1000000000000000000000000"), std::nullopt);
}

TEST(RoundedNumericValue, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RoundedNumericValue("3.5"), 4);
  EXPECT_EQ(RoundedNumericValue("4.5"), 4);
  EXPECT_EQ(RoundedNumericValue("-3.5"), -4);
  EXPECT_EQ(RoundedNumericValue("-4.5"), -4);
  EXPECT_EQ(RoundedNumericValue("-"), 0);
  EXPECT_EQ(RoundedNumericValue("- 1"), 0);
}

}  // namespace
}  // namespace brantel
