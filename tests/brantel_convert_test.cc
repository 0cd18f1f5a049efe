// The headless front end as scripts drive it: a copy of the program in a
// program folder of its own, with a stand-in list generator.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "engine/io/host_path.h"
#include "tests/convert_fixture.h"
#include "tests/run_program.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace test_support;

const std::string kCompleted =
    "Conversion Complete!: You can either keep your old folder or safely remove it at this time.\n";

class BrantelConvertTest : public ConvertFixture {
 protected:
  BrantelConvertTest() {
    program_ = (std::filesystem::path(Program()) /
                std::filesystem::path(BRANTEL_CONVERT_PROGRAM).filename()).string();
    std::filesystem::copy_file(BRANTEL_CONVERT_PROGRAM, program_);
  }

  ProgramRun Convert(const std::vector<std::string>& arguments, const std::string& program = "") {
    return RunProgram(program.empty() ? program_ : program, arguments);
  }

  std::string program_;
};

TEST_F(BrantelConvertTest, ConvertsAndPrintsTheNotesAndTheCompletionMessage) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("sample", "sample", "1")}));
  WriteIni("sample.ini", SampleIni());
  ProgramRun run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, SampleNotesPrinted() + kCompleted);
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"),
            CrLf({"<mameconfig version=\"10\">"}) + EmptyDefaultSection() + SampleSection() +
                CrLf({"", "</mameconfig>"}));
  EXPECT_EQ(OldFolderNames(), std::set<std::string>{"sample.ini"});
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "mame.exe", " 0 "}));
}

TEST_F(BrantelConvertTest, TakesTextsNotGivenFromTheSettingsFile) {
  InstallStandInListGenerator(folder_, "program", "");
  WriteIni("default.ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\""}));
  folder_.Write("program/brantel.cfg", CrLf({"  old  ", Mame(), "mymame", " 1 "}));
  ProgramRun run = Convert({});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, kCompleted);
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "mymame", " 1 "}));

  WriteIni("default.ini", CrLf({"P1_BUTTON1 \"KEYCODE_B\""}));
  run = Convert({"old", Mame() + "\\", "other.exe"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "other.exe", " 1 "}));
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"),
            CrLf({"<mameconfig version=\"10\">"}) + OnePortSection("default", "P1_BUTTON1", "KEYCODE_B") +
                CrLf({"", "</mameconfig>"}));
}

TEST_F(BrantelConvertTest, ExitStatusTellsWhatWentWrong) {
  ProgramRun run = Convert({"missing", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "File Path Error: Directory Not Found!\nFile Path Error: " + HostPath(Mame() + "\\ctrlr\\missing\\") + "\n");

  InstallStandInListGenerator(folder_, "program", "");
  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "File Path Error: No INI files found in this folder!\nFile Path Error: " + HostPath(Mame() + "\\ctrlr\\old\\") + "\n");

  WriteIni("a.ini", "");
  folder_.MakeFolder("mame/ctrlr/old/a.cfg");
  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out.rfind("Conversion Failed: ", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("a.cfg"), std::string::npos);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
}

// Two Converts at once, from one program folder or from two on one old
// folder: each either waits for the other or stops, and the file left is
// always one whole run's file.
TEST_F(BrantelConvertTest, ConvertsAtTheSameTimeTakeTurns) {
  folder_.MakeFolder("program2");
  std::string second = folder_.path() + "/program2/" + std::filesystem::path(program_).filename().string();
  std::filesystem::copy_file(program_, second);
  std::string list_a, list_b;
  for (int i = 0; i < 150; ++i) {
    std::string name = "game" + std::to_string(i);
    WriteIni(name + ".ini", CrLf({"P1_BUTTON1 \"KEY_" + std::to_string(i) + "\""}));
    list_a += MasterListLine(name, name, i % 2 ? "2" : "") + "\r\n";
    list_b += MasterListLine(name, "parent", "1") + "\r\n";
  }
  InstallStandInListGenerator(folder_, "program", list_a);
  InstallStandInListGenerator(folder_, "program2", list_b);
  ASSERT_EQ(Convert({"old", Mame(), "mame.exe"}).exit_code, 0);
  const std::string whole_a = folder_.Read("mame/ctrlr/old.cfg");
  ASSERT_EQ(Convert({"old", Mame(), "mame.exe"}, second).exit_code, 0);
  const std::string whole_b = folder_.Read("mame/ctrlr/old.cfg");
  ASSERT_NE(whole_a, whole_b);

  for (int pair = 0; pair < 8; ++pair) {
    std::string other = pair % 2 ? second : program_;
    auto first = std::async(std::launch::async, [&] { return Convert({"old", Mame(), "mame.exe"}); });
    ProgramRun run = Convert({"old", Mame(), "mame.exe"}, other);
    ProgramRun first_run = first.get();
    EXPECT_EQ(first_run.exit_code, 0) << first_run.out;
    EXPECT_EQ(run.exit_code, 0) << run.out;
    std::string left = folder_.Read("mame/ctrlr/old.cfg");
    EXPECT_TRUE(left == whole_a || left == whole_b) << "pair " << pair;
    EXPECT_EQ(OldFolderNames().size(), 150u) << "pair " << pair;
  }
}

TEST_F(BrantelConvertTest, HelpAndWrongUsage) {
  ProgramRun run = Convert({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("brantel-convert [FOLDER [MAME_PATH [EXE]]]"), std::string::npos);
  EXPECT_EQ(Convert({"a", "b", "c", "d"}).exit_code, 2);
}

}  // namespace
}  // namespace brantel
