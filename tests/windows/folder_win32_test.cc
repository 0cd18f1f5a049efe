// The folder operations on a Windows file system: drive letters, names that
// match without regard to case but are reported as stored, and the system's
// own error texts.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "engine/io/file_list.h"
#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "tests/test_folder.h"

namespace brantel {
namespace {

using testing::TestFolder;

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         path[2] == '\\';
}

// Restores the current folder that a test changes.
class CurrentFolderGuard {
 public:
  CurrentFolderGuard() : saved_(CurrentDirectory()) {}
  ~CurrentFolderGuard() { ChangeDriveAndDirectory(saved_); }

 private:
  std::string saved_;
};

TEST(WindowsProgramFolder, IsAFolderWithItsDriveLetterAndNoTrailingBackslash) {
  std::string folder = ProgramFolder();
  EXPECT_TRUE(HasDriveLetter(folder)) << folder;
  EXPECT_NE(folder.back(), '\\') << folder;
  EXPECT_TRUE(FolderExists(folder + "\\")) << folder;
}

class WindowsFolderTest : public ::testing::Test {
 protected:
  TestFolder folder_;
};

TEST_F(WindowsFolderTest, LookupFindsANameInAnyCaseAndReportsItAsStored) {
  folder_.Write("BRANTEL.CFG", "hotrod\r\n");
  EXPECT_EQ(FileNameIfPresent(folder_.path() + "\\brantel.cfg"), "BRANTEL.CFG");
  EXPECT_EQ(FileNameIfPresent(folder_.path() + "\\BRANTEL.CFG"), "BRANTEL.CFG");
}

TEST_F(WindowsFolderTest, LookupIsEmptyForMissingFilesFoldersAndWildcards) {
  folder_.Write("brantel.cfg", "");
  folder_.MakeFolder("sub");
  EXPECT_EQ(FileNameIfPresent(folder_.path() + "\\missing.cfg"), "");
  EXPECT_EQ(FileNameIfPresent(folder_.path() + "\\sub"), "");
  EXPECT_EQ(FileNameIfPresent(folder_.path() + "\\*.cfg"), "");
  EXPECT_EQ(FileNameIfPresent(folder_.path() + "\\brantel.cf?"), "");
}

TEST_F(WindowsFolderTest, FolderExistsForFoldersInAnyCaseOnly) {
  folder_.MakeFolder("ctrlr/Hotrod");
  folder_.Write("ctrlr/file.ini", "");
  EXPECT_TRUE(FolderExists(folder_.path() + "\\ctrlr\\Hotrod\\"));
  EXPECT_TRUE(FolderExists(folder_.path() + "\\CTRLR\\hotrod\\"));
  EXPECT_FALSE(FolderExists(folder_.path() + "\\ctrlr\\file.ini\\"));
  EXPECT_FALSE(FolderExists(folder_.path() + "\\ctrlr\\missing\\"));
}

TEST_F(WindowsFolderTest, RemoveFileDeletesItAndNamesAMissingFileWithTheSystemsReason) {
  folder_.Write("SAMPLE.cfg", "x");
  RemoveFile(folder_.path() + "\\sample.cfg");
  EXPECT_FALSE(folder_.Exists("SAMPLE.cfg"));

  const std::string missing = folder_.path() + "\\SAMPLE.cfg";
  try {
    RemoveFile(missing);
    FAIL() << "deleting a missing file succeeded";
  } catch (const IoError& error) {
    EXPECT_EQ(error.file(), missing);
    EXPECT_FALSE(error.reason().empty());
    EXPECT_EQ(error.reason().find_first_of("\r\n"), std::string::npos) << error.reason();
  }
}

TEST_F(WindowsFolderTest, RenameOverReplacesAnExistingFile) {
  folder_.Write("hotrod.cfg.partial", "new");
  folder_.Write("hotrod.cfg", "old");
  RenameOver(folder_.path() + "\\hotrod.cfg.partial", folder_.path() + "\\hotrod.cfg");
  EXPECT_EQ(folder_.Read("hotrod.cfg"), "new");
  EXPECT_FALSE(folder_.Exists("hotrod.cfg.partial"));
}

TEST_F(WindowsFolderTest, ChangeDriveAndDirectoryMakesTheFolderCurrent) {
  CurrentFolderGuard guard;
  const std::string target = folder_.MakeFolder("list generator") + "\\";
  ChangeDriveAndDirectory(target);
  EXPECT_TRUE(HasDriveLetter(CurrentDirectory())) << CurrentDirectory();
  // A relative name now lands in the new folder, whatever its spelling.
  folder_.Write("list generator/here.txt", "x");
  EXPECT_EQ(FileNameIfPresent("here.txt"), "here.txt");
}

TEST_F(WindowsFolderTest, ChangeToAMissingFolderFailsAndKeepsTheCurrentOne) {
  CurrentFolderGuard guard;
  const std::string before = CurrentDirectory();
  const std::string missing = folder_.path() + "\\list generator\\";
  EXPECT_THROW(ChangeDriveAndDirectory(missing), IoError);
  EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(WindowsFolderTest, FileListShowsUpperCaseNamesForALowerCasePattern) {
  folder_.Write("hotrod/SAMPLE.INI", "");
  folder_.Write("hotrod/default.ini", "");
  folder_.Write("hotrod/Pacman.Ini", "");
  folder_.Write("hotrod/notes.txt", "");
  FileList list;
  list.SetPattern("*.ini");
  list.SetPath(folder_.path() + "\\hotrod\\");
  EXPECT_EQ(list.Path(), folder_.path() + "\\hotrod");
  ASSERT_EQ(list.ListCount(), 3u);
  EXPECT_EQ(list.List(0), "default.ini");
  EXPECT_EQ(list.List(1), "Pacman.Ini");
  EXPECT_EQ(list.List(2), "SAMPLE.INI");
}

}  // namespace
}  // namespace brantel
