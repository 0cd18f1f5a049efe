// The headless front end as scripts drive it: a copy of the program in a
// program folder of its own, with a stand-in list generator.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/convert_fixture.h"
#include "tests/run_program.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace testing;

const std::string kCompleted =
    "Conversion Complete!: You can either keep your old folder or safely remove it at this time.\n";

class BrantelConvertTest : public ConvertFixture {
 protected:
  BrantelConvertTest() {
    program_ = (std::filesystem::path(Program()) /
                std::filesystem::path(BRANTEL_CONVERT_PROGRAM).filename()).string();
    std::filesystem::copy_file(BRANTEL_CONVERT_PROGRAM, program_);
  }

  ProgramRun Convert(const std::vector<std::string>& arguments) {
    return RunProgram(program_, arguments);
  }

  std::string program_;
};

TEST_F(BrantelConvertTest, ConvertsAndPrintsTheNotesAndTheCompletionMessage) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("sample", "sample", "1")}));
  WriteIni("sample.ini", SampleIni());
  ProgramRun run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, SampleNotesPrinted() + kCompleted);
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"),
            CrLf({"<mameconfig version=\"10\">"}) + EmptyDefaultSection() + SampleSection() +
                CrLf({"", "</mameconfig>"}));
  EXPECT_EQ(OldFolderNames(), std::set<std::string>{"sample.ini"});
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "mame.exe"}));
}

TEST_F(BrantelConvertTest, TakesTextsNotGivenFromTheSettingsFile) {
  InstallStandInListGenerator(folder_, "program", "");
  WriteIni("default.ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\""}));
  folder_.Write("program/brantel.cfg", CrLf({"  old  ", Mame(), "mymame", " 1 "}));
  ProgramRun run = Convert({});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, kCompleted);
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "mymame"}));

  WriteIni("default.ini", CrLf({"P1_BUTTON1 \"KEYCODE_B\""}));
  run = Convert({"old", Mame() + "\\", "other.exe"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "other.exe"}));
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"),
            CrLf({"<mameconfig version=\"10\">"}) + OnePortSection("default", "P1_BUTTON1", "KEYCODE_B") +
                CrLf({"", "</mameconfig>"}));
}

TEST_F(BrantelConvertTest, ExitStatusTellsWhatWentWrong) {
  ProgramRun run = Convert({"missing", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "File Path Error: Directory Not Found!\n");

  InstallStandInListGenerator(folder_, "program", "");
  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "File Path Error: No INI files found in this folder!\n");

  WriteIni("a.ini", "");
  folder_.MakeFolder("mame/ctrlr/old/a.cfg");
  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.output.rfind("Conversion Failed: ", 0), 0u) << run.output;
  EXPECT_NE(run.output.find("a.cfg"), std::string::npos);
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1);
}

TEST_F(BrantelConvertTest, HelpAndWrongUsage) {
  ProgramRun run = Convert({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.output.find("brantel-convert [FOLDER [MAME_PATH [EXE]]]"), std::string::npos);
  EXPECT_EQ(Convert({"a", "b", "c", "d"}).exit_code, 2);
}

}  // namespace
}  // namespace brantel
