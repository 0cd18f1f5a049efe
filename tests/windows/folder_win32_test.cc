// The folder operations on a Windows file system: drive letters, names that
// match without regard to case but are reported as stored, and the system's
// own error texts.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include <io.h>
#include <windows.h>

#include "engine/io/file_list.h"
#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/wide_path.h"
#include "tests/test_folder.h"

namespace brantel {
namespace {

using test_support::TestFolder;

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

TEST_F(WindowsFolderTest, ShortNamesInUseLongPathsAndHandles) {
  // A short name typed for a folder lists the folder under its long name.
  const std::wstring long_folder = WideText(folder_.MakeFolder("hotrod long"));
  std::wstring short_folder(MAX_PATH, L'\0');
  short_folder.resize(GetShortPathNameW(long_folder.c_str(), short_folder.data(), MAX_PATH));
  FileList list;
  list.SetPath(AnsiPath(short_folder));
  EXPECT_EQ(list.Path(), folder_.path() + "\\hotrod long");

  // A file another program holds without sharing is said to be in use.
  const std::string held = folder_.Write("held.ini", "x");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  try {
    LineReader reader(held);
    ADD_FAILURE() << "a file held by another program was read";
  } catch (const IoError& error) {
    EXPECT_EQ(error.reason(), "The file is in use by another program");
  }
  CloseHandle(holder);

  // No handle of ours passes to a started program.
  FileHandle file = OpenFile(folder_.path() + "\\new.cfg", OpenMode::kCreateNew, "Could not create");
  DWORD flags = 1;
  GetHandleInformation(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.get()))), &flags);
  EXPECT_EQ(flags & HANDLE_FLAG_INHERIT, 0u);

  // The system's text names the file where it has an insert.
  const std::string reason = WindowsReason(ERROR_BAD_EXE_FORMAT, "C:\\mame\\mame.exe");
  EXPECT_EQ(reason.find("%1"), std::string::npos) << reason;
  EXPECT_NE(reason.find("C:\\mame\\mame.exe"), std::string::npos) << reason;
}

TEST_F(WindowsFolderTest, PathsBeyondTheClassicLimit) {
  std::string deep = folder_.path();
  while (deep.size() < 300) {
    deep += "\\" + std::string(40, 'd');
    ASSERT_TRUE(CreateDirectoryW(WidePath(deep).c_str(), nullptr)) << deep;
  }
  {
    ReplacingLineWriter writer(deep + "\\hotrod.cfg");
    writer.Print("<mameconfig version=\"10\">");
    writer.Commit();
  }
  EXPECT_EQ(LineReader(deep + "\\hotrod.cfg").ReadLine(), "<mameconfig version=\"10\">");
  // A failed replacement leaves no temporary file behind.
  ASSERT_TRUE(CreateDirectoryW(WidePath(deep + "\\taken.cfg").c_str(), nullptr));
  {
    ReplacingLineWriter writer(deep + "\\taken.cfg");
    EXPECT_THROW(writer.Commit(), IoError);
  }
  FileList list;
  list.SetPattern("*");
  list.SetPath(deep);
  EXPECT_EQ(list.Names(), std::vector<std::string>{"hotrod.cfg"});
}

}  // namespace
}  // namespace brantel
