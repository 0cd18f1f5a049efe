#include "engine/combined_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <map>
#include <memory>

#include "engine/earlier_output.h"
#include "engine/io/io_error.h"
#include "engine/plain_window.h"
#include "engine/sha256.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace test_support;

const std::string kHeader = CrLf({"<mameconfig version=\"10\">"});
const std::string kFooter = CrLf({"", "</mameconfig>"});

std::vector<std::string> OnePortLines(const std::string& system, const std::string& sequence) {
  return {"<system name=\"" + system + "\">", Spaces(14) + "<input>", "", "",
          PortLine("P1_BUTTON1"), NewseqLine("standard", sequence), ClosingLine(),
          Spaces(14) + "</input>", "</system>"};
}

class CombinedFileTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.MakeFolder("ctrlr/old"); }

  std::string Old() const { return folder_.path() + "/ctrlr/old"; }

  void ListCfgFiles() {
    window_.File1().SetPath(Old());
    window_.File1().SetPattern("*.cfg");
  }

  // Its sections' intermediate lines come from `sections_`, by INI path.
  std::unique_ptr<CombinedFileParts> Parts(std::vector<std::string> default_sections = {},
                                           size_t held_in_memory = UserSystemBytes::kHeldInMemory) {
    auto parts = std::make_unique<CombinedFileParts>(Old() + ".cfg", held_in_memory);
    parts->default_sections = std::move(default_sections);
    parts->translate = [this](const std::string& ini_path, IntermediateSink& section) {
      auto lines = sections_.find(ini_path);
      if (lines == sections_.end()) throw IoError("Could not open the file for reading", ini_path, "gone");
      for (const std::string& line : lines->second) section.Line(line);
    };
    return parts;
  }

  TestFolder folder_;
  PlainWindow window_;
  std::map<std::string, std::vector<std::string>> sections_;
};

TEST_F(CombinedFileTest, DefaultSectionFirstThenTheListsInOrder) {
  sections_[Old() + "/default.ini"] = OnePortLines("default", "KEY_A");
  sections_[Old() + "/game1.ini"] = OnePortLines("game1", "KEY_B");
  folder_.Write("ctrlr/old/game1.ini", "kept");
  ListCfgFiles();
  // The user's own systems, copied whole, each after the translated section
  // of its name: in MAME the later one wins.
  const std::vector<std::pair<UserSystems::Slot, std::string>> users = {
      {UserSystems::Slot::kDriver, "game1"}, {UserSystems::Slot::kDefault, "default"}, {UserSystems::Slot::kDriver, "GAME"}};
  // Held in memory, or (beyond the bytes memory may hold) in a scratch file
  // that leaves no name behind.
  for (const size_t held_in_memory : {UserSystemBytes::kHeldInMemory, size_t{40}}) {
    auto parts = Parts({Old() + "/default.ini"}, held_in_memory);
    std::map<std::string, std::string> whole;
    for (const auto& [slot, name] : users) {
      whole[name] = "<system name=\"" + name + "\">\r\n<input><port type=\"P1_START\"/></input>\r\n</system>";
      parts->user_systems.Add(slot, name, parts->user_bytes.size(), whole[name].size());
      parts->user_bytes.Print(whole[name]);
    }
    parts->user_systems.Sort();
    window_.DriverList() = {Old() + "/game1.ini"};
    WriteCombinedFile(window_, *parts);

    auto user = [&](const std::string& name) { return CrLf({"", "", whole[name]}); };
    EXPECT_EQ(folder_.Read("ctrlr/old.cfg"),
              kHeader + OnePortSection("default", "P1_BUTTON1", "KEY_A") + user("default") + user("GAME") +
                  OnePortSection("game1", "P1_BUTTON1", "KEY_B") + user("game1") + kFooter);
    parts.reset();  // on Windows the scratch file has its name until it is closed
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path() + "/ctrlr"), {}), 2);
  }
  ShowCompletion(window_);
  EXPECT_EQ(window_.File1().Pattern(), "*.ini");
  EXPECT_EQ(window_.File1().Names(), std::vector<std::string>{"game1.ini"});
  ASSERT_EQ(window_.messages().size(), 1u);
  EXPECT_EQ(window_.messages()[0].title, "Conversion Complete!");
  EXPECT_EQ(window_.messages()[0].prompt,
            "You can either keep your old folder or safely remove it at this time.");
  EXPECT_EQ(window_.messages()[0].style, MessageStyle::kOkOnly);
}

TEST_F(CombinedFileTest, SectionsFollowDriverParentRomOrder) {
  for (const char* name : {"a", "b", "c", "d"}) sections_[Old() + "/" + name + ".ini"] = OnePortLines(name, name);
  ListCfgFiles();
  window_.DriverList() = {Old() + "/d.ini"};
  window_.ParentList() = {Old() + "/c.ini", Old() + "/a.ini"};
  window_.RomList() = {Old() + "/b.ini"};
  WriteCombinedFile(window_, *Parts());
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"),
            kHeader + EmptyDefaultSection() + OnePortSection("d", "P1_BUTTON1", "d") +
                OnePortSection("c", "P1_BUTTON1", "c") + OnePortSection("a", "P1_BUTTON1", "a") +
                OnePortSection("b", "P1_BUTTON1", "b") + kFooter);
}

TEST_F(CombinedFileTest, WithoutDefaultCfgAnEmptyDefaultSectionKeepsMameLoadingIt) {
  ListCfgFiles();
  WriteCombinedFile(window_, *Parts());
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"), kHeader + EmptyDefaultSection() + kFooter);
}

TEST_F(CombinedFileTest, FailedSectionKeepsThePreviousCombinedFile) {
  folder_.Write("ctrlr/old.cfg", "previous");
  sections_[Old() + "/a.ini"] = OnePortLines("a", "a");
  ListCfgFiles();
  window_.DriverList() = {Old() + "/a.ini", Old() + "/vanished.ini"};
  EXPECT_THROW(WriteCombinedFile(window_, *Parts()), IoError);
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"), "previous");
  EXPECT_TRUE(window_.messages().empty());
  // A folder where the new file cannot be made is named as the user knows it.
  try {
    CombinedFileParts elsewhere(folder_.path() + "/gone/old.cfg");
    WriteCombinedFile(window_, elsewhere);
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const IoError& error) {
    EXPECT_EQ(std::string(error.what()).find("Could not write the new file old.cfg in the folder \"" +
                                             DisplayPath(folder_.path() + "/gone") + "\": "), 0u) << error.what();
  }

  // A section that breaks the file: only its own file is named, though
  // systems of the user's (which are not checked) come before it.
  sections_[Old() + "/b.ini"] = {"<system name=\"b\">", "<input>", "<open>"};
  window_.DriverList() = {Old() + "/a.ini", Old() + "/b.ini"};
  try {
    auto parts = Parts();
    const std::string system = "<system name=\"aa\"><!-- " + std::string(2000, 'a') + " --></system>";
    parts->user_systems.Add(UserSystems::Slot::kDriver, "aa", 0, system.size());
    parts->user_bytes.Print(system);
    parts->user_systems.Sort();
    WriteCombinedFile(window_, *parts);
    ADD_FAILURE() << "replaced by a file that is not well-formed";
  } catch (const IoError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("because of the file \"" + DisplayPath(Old() + "/b.ini") + "\"; nothing"), std::string::npos)
        << message;
  }
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"), "previous");

  // A combined file marked read-only is kept, and said to be.
  namespace fs = std::filesystem;
  const auto read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(Old() + ".cfg", read_only);
  window_.DriverList() = {Old() + "/a.ini"};
  try {
    WriteCombinedFile(window_, *Parts());
    ADD_FAILURE() << "replaced a read-only file";
  } catch (const IoError& error) {
    EXPECT_NE(std::string(error.what()).find("read-only"), std::string::npos) << error.what();
  }
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"), "previous");
  EXPECT_EQ(fs::status(Old() + ".cfg").permissions() & fs::perms::owner_write, fs::perms::none);
  fs::permissions(Old() + ".cfg", fs::perms::owner_write, fs::perm_options::add);
}

#ifndef _WIN32
// The scratch file of the user's systems, cut short by another hand: said,
// never written short.
TEST_F(CombinedFileTest, AScratchFileReadShortIsReportedNotWrittenShort) {
  namespace fs = std::filesystem;
  folder_.Write("ctrlr/old.cfg", "previous");
  ListCfgFiles();
  auto parts = Parts({}, 40);
  const std::string system = "<system name=\"a\"><!-- " + std::string(100, 'a') + " --></system>";
  parts->user_systems.Add(UserSystems::Slot::kDriver, "a", 0, system.size());
  parts->user_bytes.Print(system);
  parts->user_systems.Sort();
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string target = fs::read_symlink(entry.path(), error).string();
    if (target.starts_with(folder_.path()) && target.ends_with(" (deleted)")) {
      ASSERT_EQ(ftruncate(std::stoi(entry.path().filename().string()), 10), 0);
    }
  }
  try {
    WriteCombinedFile(window_, *parts);
    ADD_FAILURE() << "written with the scratch file cut short";
  } catch (const IoError& error) {
    EXPECT_EQ(error.reason(), "The file ended early");
  }
  EXPECT_EQ(folder_.Read("ctrlr/old.cfg"), "previous");
}
#endif

// The earlier file is read while the new one is made; that reading counts
// at the rename only while the file is as it was, even when an edit keeps
// its size and its time of last write.
TEST_F(CombinedFileTest, EarlierFileEditedAfterItWasReadIsKeptAside) {
  namespace fs = std::filesystem;
  const std::string path = Old() + ".cfg", record = folder_.path() + "/combined.lst";
  folder_.Write("ctrlr/old.cfg", "ours");
  Sha256 sha;
  sha.Add("ours");
  RecordWrittenFile(path, 4, sha.HexDigest(), record);
  for (const bool edited : {false, true}) {
    EarlierFile earlier(path, record);
    earlier.WaitForReadingAhead();
    if (edited) {
      const auto written = fs::last_write_time(path);
      folder_.Write("ctrlr/old.cfg", "OURS");
      fs::last_write_time(path, written);
    }
    EXPECT_EQ(earlier.KeepAsideIfNotOurs(), edited ? path + ".bak" : "") << edited;
  }
}

// The user's systems go among the translated sections as their files are
// listed: by name and extension, without regard to case.
TEST(SectionNameOrder, AsTheFilesAreListed) {
  const struct {
    const char* a;
    const char* b;
    int order;
  } kCases[] = {{"abc", "abc.d", -1}, {"abc.d", "abc", 1}, {"abc", "abc-d", 1}, {"abc", "abcd", -1},
                {"ABC", "abc", 0},    {"ab_", "ABC", -1}};
  for (const auto& c : kCases) EXPECT_EQ(CompareSectionNames(c.a, c.b), c.order) << c.a << " " << c.b;
}

}  // namespace
}  // namespace brantel
