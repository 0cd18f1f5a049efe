#include "engine/combined_file.h"

#include <gtest/gtest.h>

#include "engine/io/io_error.h"
#include "engine/plain_window.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace test_support;

const std::string kHeader = CrLf({"<mameconfig version=\"10\">"});
const std::string kFooter = CrLf({"", "</mameconfig>"});

std::string OnePortCfg(const std::string& system, const std::string& sequence) {
  return CrLf({"<system name=\"" + system + "\">", Spaces(14) + "<input>", "", "",
               PortLine("P1_BUTTON1"), NewseqLine("standard", sequence), ClosingLine(),
               Spaces(14) + "</input>", "</system>"});
}

class CombinedFileTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.MakeFolder("ctrlr/old"); }

  std::string Old() const { return folder_.path() + "/ctrlr/old"; }

  void ListCfgFiles() {
    window_.File1().SetPath(Old());
    window_.File1().SetPattern("*.cfg");
  }

  TestFolder folder_;
  PlainWindow window_;
};

TEST_F(CombinedFileTest, DefaultSectionFirstThenTheListsInOrder) {
  folder_.Write("ctrlr/old/default.cfg", OnePortCfg("default", "KEY_A"));
  folder_.Write("ctrlr/old/game1.cfg", OnePortCfg("game1", "KEY_B"));
  folder_.Write("ctrlr/old/game1.ini", "kept");
  ListCfgFiles();
  window_.DriverList() = {Old() + "/game1.cfg"};
  WriteCombinedFile(window_);

  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"),
            kHeader + OnePortSection("default", "P1_BUTTON1", "KEY_A") +
                OnePortSection("game1", "P1_BUTTON1", "KEY_B") + kFooter);
  EXPECT_FALSE(folder_.Exists("ctrlr/old/default.cfg"));
  EXPECT_FALSE(folder_.Exists("ctrlr/old/game1.cfg"));
  EXPECT_TRUE(folder_.Exists("ctrlr/old/game1.ini"));
  EXPECT_EQ(window_.File1().Pattern(), "*.ini");
  EXPECT_EQ(window_.File1().Names(), std::vector<std::string>{"game1.ini"});
  ASSERT_EQ(window_.messages().size(), 1u);
  EXPECT_EQ(window_.messages()[0].title, "Conversion Complete!");
  EXPECT_EQ(window_.messages()[0].prompt,
            "You can either keep your old folder or safely remove it at this time.");
  EXPECT_EQ(window_.messages()[0].style, MessageStyle::kOkOnly);
}

TEST_F(CombinedFileTest, SectionsFollowDriverParentRomOrder) {
  for (const char* name : {"a", "b", "c", "d"}) {
    folder_.Write(std::string("ctrlr/old/") + name + ".cfg", OnePortCfg(name, name));
  }
  ListCfgFiles();
  window_.DriverList() = {Old() + "/d.cfg"};
  window_.ParentList() = {Old() + "/c.cfg", Old() + "/a.cfg"};
  window_.RomList() = {Old() + "/b.cfg"};
  WriteCombinedFile(window_);
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"),
            kHeader + EmptyDefaultSection() + OnePortSection("d", "P1_BUTTON1", "d") +
                OnePortSection("c", "P1_BUTTON1", "c") + OnePortSection("a", "P1_BUTTON1", "a") +
                OnePortSection("b", "P1_BUTTON1", "b") + kFooter);
}

TEST_F(CombinedFileTest, WithoutDefaultCfgAnEmptyDefaultSectionKeepsMameLoadingIt) {
  ListCfgFiles();
  WriteCombinedFile(window_);
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"), kHeader + EmptyDefaultSection() + kFooter);
}

TEST_F(CombinedFileTest, FailedSectionKeepsThePreviousCombinedFile) {
  folder_.Write("ctrlr/old.cfg", "previous");
  folder_.Write("ctrlr/old/a.cfg", OnePortCfg("a", "a"));
  ListCfgFiles();
  window_.DriverList() = {Old() + "/a.cfg", Old() + "/vanished.cfg"};
  EXPECT_THROW(WriteCombinedFile(window_), IoError);
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"), "previous");
  EXPECT_TRUE(folder_.Exists("ctrlr/old/a.cfg"));
  EXPECT_FALSE(folder_.Exists("ctrlr/old.cfg.partial"));
  EXPECT_TRUE(window_.messages().empty());
}

}  // namespace
}  // namespace brantel
