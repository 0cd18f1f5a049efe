#include "engine/combined_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "engine/earlier_output.h"
#include "engine/io/io_error.h"
#include "engine/plain_window.h"
#include "engine/file_digest.h"
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

// The earlier file is the program's own only while it is byte for byte what
// the record says was written there last, however it is reached: its state
// as noted spares the reading; an edit that keeps its size and its time of
// last write does not; a link to a copy of it is not it.
TEST_F(CombinedFileTest, TheRecordKnowsTheProgramsOwnFileAndKeepsAsideAnyOther) {
  namespace fs = std::filesystem;
  const std::string path = Old() + ".cfg", record = folder_.path() + "/combined.lst";
  const FileContents ours{4, HexDigestOf("ours")}, next{4, HexDigestOf("next")};
  const std::string unknown = "not known as this program's unedited output";
  const std::string other = unknown + " (it is not the file this program wrote there last)";
  const struct Case {
    const char* what;
    std::function<void()> change;  // after the record noted the file
    std::string why;               // "" when it is the program's own
    std::string through = "";      // the folder it is reached through
    bool noted_before = false;     // a run stopped before its rename noted `next`
  } cases[] = {
      {"unchanged", {}, ""},
      {"edited keeping its size and time",
       [&] {
         const auto written = fs::last_write_time(path);
         folder_.Write("ctrlr/old.cfg", "OURS");
         fs::last_write_time(path, written);
       },
       other},
      {"not in the record", [&] { fs::remove(record); }, unknown},
      {"the record of another form", [&] { folder_.Write("combined.lst", "brantel combined files 1\r\n"); }, unknown},
      {"ours, with the next noted by a stopped run", {}, "", "", true},
      {"the next, noted by a run stopped after its rename", [&] { folder_.Write("ctrlr/old.cfg", "next"); }, "", "",
       true},
#ifndef _WIN32
      {"a link to a copy of it",
       [&] {
         fs::copy_file(path, folder_.path() + "/copy.cfg");
         fs::remove(path);
         fs::create_symlink("../copy.cfg", path);
       },
       other},
      {"reached through a linked folder", {}, "", "linked/old.cfg"},
#endif
  };
  for (const Case& c : cases) {
    fs::remove_all(folder_.path() + "/ctrlr/old.cfg.bak");
    fs::remove(record);
    folder_.Write("ctrlr/old.cfg", "ours");
    WrittenRecord(record).Note({RecordKey(path), ours, std::nullopt, StateOfEntry(path), std::nullopt});
    if (c.noted_before) {
      RecordEntry entry = *WrittenRecord(record).Find(RecordKey(path));
      WrittenRecord(record).Note({entry.key, next, ours, std::nullopt, std::nullopt});
    }
    if (c.change) c.change();
    std::string reached = path;
#ifndef _WIN32
    if (!c.through.empty()) {
      fs::create_directory_symlink("ctrlr", folder_.path() + "/linked");
      reached = folder_.path() + "/" + c.through;
    }
#endif
    EarlierFile earlier(reached, record);
    const EarlierFile::KeptAside kept = earlier.PrepareForNewFile({5, HexDigestOf("newer")});
    EXPECT_EQ(kept.path, c.why.empty() ? "" : reached + ".bak") << c.what;
    EXPECT_EQ(kept.why, c.why) << c.what;
    fs::remove(folder_.path() + "/linked");
  }
}

// The record forgets the oldest names past its 300, never the newest.
TEST_F(CombinedFileTest, TheRecordKeepsTheNewest300Names) {
  const std::string record = folder_.path() + "/combined.lst";
  for (int i = 0; i <= 300; ++i) {
    WrittenRecord(record).Note({"/f" + std::to_string(i), {1, HexDigestOf("x")}, std::nullopt, std::nullopt, std::nullopt});
  }
  const WrittenRecord read(record);
  EXPECT_EQ(read.Find("/f0"), nullptr);
  EXPECT_NE(read.Find("/f1"), nullptr);
  EXPECT_NE(read.Find("/f300"), nullptr);
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
