#include "engine/io/file_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "tests/test_folder.h"

namespace brantel {
namespace {

using test_support::TestFolder;

TEST(FileListTest, ListsMatchingOrdinaryFilesWithoutRegardToCase) {
  TestFolder folder;
  // Names beginning with "." are hidden files, which a file list leaves out.
  for (const char* name : {"b.ini", "A.INI", "c.Ini", "a.cfg", "d.ini.bak", "_x.ini", ".hidden.ini"}) {
    folder.Write(name, "");
  }
  folder.MakeFolder("sub.ini");
  FileList list;
  list.SetPath(folder.path() + "\\");
  EXPECT_EQ(list.Path(), folder.path());
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"_x.ini", "A.INI", "b.ini", "c.Ini"}));
  list.SetPattern("*.cfg");
  EXPECT_EQ(list.Names(), std::vector<std::string>{"a.cfg"});
  folder.Write("B.cfg", "");
  EXPECT_EQ(list.ListCount(), 1u);  // not listed until asked
  list.Refresh();
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"a.cfg", "B.cfg"}));
}

TEST(FileListTest, PathReadsBackWithoutTrailingSeparator) {
  TestFolder folder;
  folder.MakeFolder("mame/ctrlr/hotrod");
  FileList list;
  list.SetPath(folder.path() + "\\mame\\" + "ctrlr\\" + "hotrod" + "\\");
  EXPECT_EQ(list.Path(), HostPath(folder.path() + "\\mame\\ctrlr\\hotrod"));
  EXPECT_EQ(list.ListCount(), 0u);
}

TEST(FileListTest, UnknownFolderKeepsThePreviousListing) {
  TestFolder folder;
  folder.Write("a.ini", "");
  FileList list;
  list.SetPath(folder.path());
  int changes = 0;
  list.SetChangeObserver([&] { ++changes; });
  EXPECT_THROW(list.SetPath(folder.path() + "\\missing"), IoError);
  EXPECT_THROW(list.SetPath(folder.path() + "\\a.ini"), IoError);
  EXPECT_THROW(list.SetPath(""), IoError);
  EXPECT_EQ(list.Path(), folder.path());
  EXPECT_EQ(list.Names(), std::vector<std::string>{"a.ini"});
  EXPECT_EQ(changes, 0);
  list.SetPattern("*");
  EXPECT_EQ(changes, 1);
}

// A new list depends on no folder; a listed folder that disappears empties
// the list when the pattern changes, and later paths work as before.
TEST(FileListTest, StartsEmptyAndAPatternChangeNeverFails) {
  TestFolder folder;
  folder.Write("gone/a.ini", "");
  folder.Write("here/b.ini", "");
  FileList list;
  EXPECT_EQ(list.Path(), "");
  list.SetPattern("*.ini");
  EXPECT_EQ(list.ListCount(), 0u);
  list.SetPath(folder.path() + "\\gone");
  EXPECT_EQ(list.ListCount(), 1u);
  std::filesystem::remove_all(folder.path() + "/gone");
  EXPECT_NO_THROW(list.SetPattern("*.cfg"));
  EXPECT_EQ(list.ListCount(), 0u);
  list.SetPattern("*.ini");
  list.SetPath(folder.path() + "\\here");
  EXPECT_EQ(list.Names(), std::vector<std::string>{"b.ini"});
}

TEST(MatchesPatternTest, Wildcards) {
  EXPECT_TRUE(MatchesPattern("pacman.ini", "*.ini"));
  EXPECT_TRUE(MatchesPattern("PACMAN.INI", "*.ini"));
  EXPECT_TRUE(MatchesPattern(".ini", "*.ini"));
  EXPECT_FALSE(MatchesPattern("pacman.ini2", "*.ini"));
  EXPECT_FALSE(MatchesPattern("pacmanini", "*.ini"));
  EXPECT_TRUE(MatchesPattern("a.b.ini", "*.ini"));
  EXPECT_TRUE(MatchesPattern("ab.cfg", "a?.cfg"));
  EXPECT_FALSE(MatchesPattern("abc.cfg", "a?.cfg"));
}

}  // namespace
}  // namespace brantel
