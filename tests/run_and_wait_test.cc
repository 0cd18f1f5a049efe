#include "tools/run_and_wait.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/convert_fixture.h"

namespace brantel {
namespace {

using namespace testing;

class RunAndWaitTest : public ConvertFixture {};

TEST_F(RunAndWaitTest, FindsTheProgramInTheCurrentFolderAndWaitsForIt) {
  InstallStandInListGenerator(folder_, "program", "list");
  std::filesystem::current_path(Program() + "/list generator");
  RunAndWait("listgen.exe -s  -ctrlr");
  // The stand-in has finished writing by the time the call returns.
  EXPECT_EQ(folder_.Read("program/listgen.ran"), "-s -ctrlr\n");
  EXPECT_EQ(folder_.Read("program/masterlist.lst"), "list");
}

TEST_F(RunAndWaitTest, ReturnsAtOnceWhenNothingCanBeStarted) {
  std::filesystem::current_path(folder_.path());
  RunAndWait("no-such-program.exe -s -ctrlr");
  RunAndWait("");
  SUCCEED();
}

}  // namespace
}  // namespace brantel
