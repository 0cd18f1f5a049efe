// RunAndWait on Windows: the list generator is started from its own folder,
// hidden, with its arguments, and the call returns only after it has ended.
// The stand-in list generator beside this test program records how it was
// started and writes its master list only after a pause.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <string>

#include "engine/io/folder.h"
#include "tests/test_folder.h"
#include "tools/run_and_wait.h"

namespace brantel {
namespace {

using test_support::CrLf;
using test_support::TestFolder;

namespace fs = std::filesystem;

class WindowsRunAndWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path stand_in = fs::path(ProgramFolder()) / "stand_in_listgen.exe";
    ASSERT_TRUE(fs::exists(stand_in)) << stand_in.string();
    generator_folder_ = folder_.MakeFolder("list generator");
    fs::copy_file(stand_in, fs::path(generator_folder_) / "listgen.exe");
    saved_folder_ = CurrentDirectory();
    ChangeDriveAndDirectory(generator_folder_ + "\\");
  }
  void TearDown() override {
    if (!saved_folder_.empty()) ChangeDriveAndDirectory(saved_folder_);
  }

  std::string Listgen() const { return generator_folder_ + "\\listgen.exe"; }

  TestFolder folder_;
  std::string generator_folder_;
  std::string saved_folder_;
};

TEST_F(WindowsRunAndWaitTest, StartsTheToolHiddenFromTheCurrentFolderAndWaitsForItsEnd) {
  folder_.Write("list generator/prepared.lst", CrLf({"pacman|||||MAME||||x"}));
  RunAndWait(Listgen(), "listgen.exe -s -ctrlr");
  // The stand-in pauses before writing: the files are there only if the call
  // waited for its end.
  ASSERT_TRUE(folder_.Exists("masterlist.lst"));
  EXPECT_EQ(folder_.Read("masterlist.lst"), CrLf({"pacman|||||MAME||||x"}));
  EXPECT_EQ(folder_.Read("listgen.ran"), "-s -ctrlr\n");
  EXPECT_EQ(folder_.Read("listgen-start.txt"),
            // STARTF_USESHOWWINDOW, and STARTF_USESTDHANDLES for its messages
            CrLf({"folder: " + generator_folder_, "flags: 257", "show: 0"}));
}

TEST_F(WindowsRunAndWaitTest, HandsTheShowStateToTheTool) {
  RunAndWait(Listgen(), "listgen.exe", 5);
  EXPECT_NE(folder_.Read("listgen-start.txt").find("show: 5\r\n"), std::string::npos);
}

TEST_F(WindowsRunAndWaitTest, WaitsForAToolThatFails) {
  const ProgramOutcome outcome = RunAndWait(Listgen(), "listgen.exe --exit 3");
  EXPECT_TRUE(folder_.Exists("masterlist.lst"));
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.description, "ended with exit status 3");
  EXPECT_NE(outcome.errors.find("stand-in: ending with 3"), std::string::npos) << outcome.errors;
}

TEST_F(WindowsRunAndWaitTest, GivingUpTheWaitEndsTheTool) {
  folder_.Write("list generator/running-seconds.txt", "2");
  EXPECT_THROW(RunAndWait(Listgen(), "listgen.exe", 0, [] { throw std::runtime_error("stop"); }),
               std::runtime_error);
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_FALSE(folder_.Exists("listgen.ran"));  // it would have written this after 2 s
}

TEST_F(WindowsRunAndWaitTest, ReturnsAtOnceWhenTheNamedFileIsMissing) {
  // The listgen.exe in the current folder is not the one named.
  RunAndWait(folder_.path() + "\\listgen.exe", "listgen.exe -s -ctrlr");
  RunAndWait("", "");
  EXPECT_FALSE(folder_.Exists("listgen.ran"));
}

}  // namespace
}  // namespace brantel
