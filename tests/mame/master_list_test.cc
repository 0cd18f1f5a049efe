// The list generator on the installed MAME: one run of its full -listxml
// output, shared by every test here.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <set>

#include "engine/master_list_record.h"
#include "engine/text_rules.h"
#include "tests/run_program.h"
#include "tests/mame/real_mame.h"

namespace listgen::test_support {
namespace {

using namespace brantel::master_list;

class MasterListOfRealMame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<brantel::test_support::TestFolder>();
    const std::string program = program_ = MakeProgramFolder(*folder_, "program");
    // The settings as Convert writes them for a MAME at /usr/games/mame.
    std::string mame_path = std::filesystem::path(RealMame()).parent_path().string();
    std::replace(mame_path.begin(), mame_path.end(), '/', '\\');
    folder_->Write("program/brantel.cfg", brantel::test_support::CrLf({"hotrod", mame_path + "\\", "mame.exe"}));
    run_ = RunProgram("./listgen", {"-s", "-ctrlr"}, program + "/list generator");
    if (run_.exit_code == 0) list_ = ReadMasterList(program + "/masterlist.lst");
  }
  static void TearDownTestSuite() { folder_.reset(); }

  void SetUp() override { ASSERT_EQ(run_.exit_code, 0) << run_.err; }

  static const std::vector<std::string>& Fields(const std::string& name) {
    static const std::vector<std::string> none;
    const auto found = list_.fields_by_name.find(name);
    return found == list_.fields_by_name.end() ? none : found->second;
  }

  static inline std::unique_ptr<brantel::test_support::TestFolder> folder_;
  static inline std::string program_;
  static inline ProgramRun run_;
  static inline MasterListLines list_;
};

TEST_F(MasterListOfRealMame, RunsSilently) {
  EXPECT_EQ(run_.out, "");
}

// A new list would come in under the name as a new file.
TEST_F(MasterListOfRealMame, ASecondRunKeepsTheListWithoutAskingMameAgain) {
  const std::string list = program_ + "/masterlist.lst";
  struct stat before {}, after {};
  ASSERT_EQ(stat(list.c_str(), &before), 0);
  const ProgramRun again =
      RunProgram("./listgen", {"-ctrlr"}, program_ + "/list generator");
  EXPECT_NE(again.out.find("up to date"), std::string::npos) << again.out << again.err;
  ASSERT_EQ(stat(list.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(MasterListOfRealMame, HoldsEveryListedMachineOnce) {
  std::vector<std::string> listed = ListedMachineNames();
  std::vector<std::string> written;
  for (const std::string& line : list_.lines) written.push_back(brantel::Split(line, kSeparator)[kName]);
  EXPECT_GT(listed.size(), 40000u) << "this MAME lists fewer machines than expected";
  std::sort(listed.begin(), listed.end());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(std::adjacent_find(written.begin(), written.end()), written.end()) << "a machine is listed twice";
  EXPECT_EQ(written.size(), listed.size());
  EXPECT_TRUE(written == listed) << "the master list and -listxml name different machines";
}

TEST_F(MasterListOfRealMame, EveryLineHasTenFieldsAndCrLf) {
  EXPECT_TRUE(list_.every_line_ends_in_cr_lf);
  for (const std::string& line : list_.lines) {
    const std::vector<std::string> fields = brantel::Split(line, kSeparator);
    ASSERT_EQ(fields.size(), size_t{kFieldCount}) << line;
    ASSERT_EQ(fields[kEmulator], kMame) << line;
    ASSERT_FALSE(fields[kParent].empty()) << line;
    ASSERT_EQ(fields[kSourceFile].find('/'), std::string::npos) << line;
  }
}

TEST_F(MasterListOfRealMame, PongIsAParentForTwoPlayers) {
  EXPECT_EQ(Fields("pong"), (std::vector<std::string>{"pong", "Pong (Rev E) [TTL]", "1972", "Atari", "pong", "MAME",
                                                      "pong.cpp", "", "", "2"}));
}

TEST_F(MasterListOfRealMame, ACloneNamesItsParent) {
  const std::vector<std::string>& pacman = Fields("pacman");
  ASSERT_EQ(pacman.size(), size_t{kFieldCount});
  EXPECT_EQ(pacman[kParent], "puckman");
  EXPECT_EQ(pacman[kRomOf], "puckman");
  EXPECT_EQ(pacman[kSourceFile], "pacman.cpp");
  EXPECT_FALSE(pacman[kPlayers].empty());
  EXPECT_EQ(Fields("puckman").at(kParent), "puckman");
}

TEST_F(MasterListOfRealMame, NeoGeoIsABiosWithoutPlayers) {
  const std::vector<std::string>& neogeo = Fields("neogeo");
  ASSERT_EQ(neogeo.size(), size_t{kFieldCount});
  EXPECT_EQ(neogeo[kParent], "neogeo");
  EXPECT_EQ(neogeo[kFlags], "bios");
  EXPECT_EQ(neogeo[kPlayers], "");
  // A game on that BIOS is still a parent of its own.
  EXPECT_EQ(Fields("mslug").at(kParent), "mslug");
  EXPECT_EQ(Fields("mslug").at(kRomOf), "neogeo");
  EXPECT_FALSE(Fields("mslug").at(kPlayers).empty());
}

TEST_F(MasterListOfRealMame, ADeviceHasNoPlayers) {
  const std::vector<std::string>& z80 = Fields("z80");
  ASSERT_EQ(z80.size(), size_t{kFieldCount});
  EXPECT_EQ(z80[kFlags], "device,notrunnable");
  EXPECT_EQ(z80[kPlayers], "");
}

TEST_F(MasterListOfRealMame, OnlyPlayableMachinesHavePlayerCounts) {
  for (const std::string& line : list_.lines) {
    const std::vector<std::string> fields = brantel::Split(line, kSeparator);
    const bool playable = fields[kFlags].find("bios") == std::string::npos &&
                          fields[kFlags].find("device") == std::string::npos &&
                          fields[kFlags].find("notrunnable") == std::string::npos;
    ASSERT_EQ(!fields[kPlayers].empty(), playable) << line;
  }
}

}  // namespace
}  // namespace listgen::test_support
