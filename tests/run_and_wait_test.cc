#include "tools/run_and_wait.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/convert_fixture.h"

namespace brantel {
namespace {

using namespace test_support;

class RunAndWaitTest : public ConvertFixture {};

TEST_F(RunAndWaitTest, StartsTheNamedFileAndWaitsForIt) {
  InstallStandInListGenerator(folder_, "program", "list");
  std::filesystem::current_path(Program() + "/list generator");
  RunAndWait(Program() + "/list generator/listgen.exe", "listgen.exe -s  -ctrlr");
  // The stand-in has finished writing by the time the call returns.
  EXPECT_EQ(folder_.Read("program/listgen.ran"), "-s -ctrlr\n");
  EXPECT_EQ(folder_.Read("program/masterlist.lst"), "list");
}

TEST_F(RunAndWaitTest, ReturnsAtOnceWhenTheNamedFileIsMissing) {
  // A program of the same name in the current folder never runs in its place.
  InstallStandInListGenerator(folder_, "program", "list");
  std::filesystem::current_path(Program() + "/list generator");
  RunAndWait(folder_.path() + "/missing/listgen.exe", "listgen.exe -s -ctrlr");
  RunAndWait("", "");
  EXPECT_FALSE(folder_.Exists("program/listgen.ran"));
}

}  // namespace
}  // namespace brantel
