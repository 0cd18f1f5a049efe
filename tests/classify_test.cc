#include "engine/classify.h"

#include <gtest/gtest.h>

#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/plain_window.h"
#include "tests/stand_in_listgen.h"
#include "tests/test_folder.h"

namespace brantel {
namespace {

using test_support::MasterListLine;

TEST(MasterListTest, FirstDecidingLineOfMameWins) {
  MasterList list({
      MasterListLine("pacman", "pacman", "2", "mame"),        // not MAME
      MasterListLine("pacman", "pacman", "2", "MAME "),       // not MAME either
      MasterListLine("pacman", "puckman", ""),                // matches, decides nothing
      MasterListLine("pacman", "pacman", "2"),                // decides: parent
      MasterListLine("pacman", "puckman", "2"),               // never read
      MasterListLine("Galaga", "galaga", "2"),                // parent differs in case: rom
      MasterListLine("neogeo", "neogeo", ""),                 // BIOS: no players
      MasterListLine("mspacman", "pacman", "2"),
  });
  EXPECT_EQ(list.GroupOf("PACMAN"), Group::kParent);
  EXPECT_EQ(list.GroupOf("galaga"), Group::kRom);
  EXPECT_EQ(list.GroupOf("neogeo"), Group::kDriver);
  EXPECT_EQ(list.GroupOf("mspacman"), Group::kRom);
  EXPECT_EQ(list.GroupOf("segag80r"), Group::kDriver);
}

TEST(MasterListTest, ShortAndEmptyLinesReadMissingFieldsAsEmpty) {
  MasterList list({"", "pacman", "pacman|a|b|c|pacman|MAME", "pacman|a|b|c|pacman|MAME|x|y|z|1"});
  EXPECT_EQ(list.GroupOf("pacman"), Group::kParent);
  EXPECT_EQ(MasterList({}).GroupOf("pacman"), Group::kDriver);
}

TEST(MasterListTest, MissingListSaysTheListGeneratorDidNotProduceIt) {
  test_support::TestFolder folder;
  try {
    MasterList::Load(folder.path() + "/masterlist.lst");
    FAIL() << "a missing master list loaded";
  } catch (const IoError& error) {
    EXPECT_NE(std::string(error.what()).find("list generator did not produce"), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("masterlist.lst"), std::string::npos);
  }
}

TEST(ClassifierTest, SortsEntriesIntoTheListsInListingOrder) {
  test_support::TestFolder folder;
  std::string master_list = folder.Write(
      "masterlist.lst", test_support::CrLf({MasterListLine("pacman", "pacman", "2"),
                                       MasterListLine("mspacman", "pacman", "2"),
                                       MasterListLine("galaga", "galaga", "2")}));
  PlainWindow window;
  Classifier classifier(master_list, window);
  for (const char* entry : {"default.ini", "Default.INI", "galaga.ini", "MSPACMAN.INI",
                            "PacMan.ini", "segag80r.ini", "mspacman.ini", "default.ini.ini"}) {
    classifier.ClassifyIniFile("F", entry);
  }
  EXPECT_EQ(window.DriverList(), (HiddenList{JoinPath("F", "segag80r.ini"), JoinPath("F", "default.ini.ini")}));
  EXPECT_EQ(window.ParentList(), (HiddenList{JoinPath("F", "galaga.ini"), JoinPath("F", "PacMan.ini")}));
  EXPECT_EQ(window.RomList(), (HiddenList{JoinPath("F", "MSPACMAN.INI"), JoinPath("F", "mspacman.ini")}));
}

TEST(ClassifierTest, ReadsTheMasterListOnlyWhenAnEntryNeedsIt) {
  PlainWindow window;
  Classifier classifier("no such folder/masterlist.lst", window);
  classifier.ClassifyIniFile("F", "default.ini");
  EXPECT_THROW(classifier.ClassifyIniFile("F", "pacman.ini"), IoError);
}

}  // namespace
}  // namespace brantel
