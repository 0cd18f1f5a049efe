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
#ifndef _WIN32
  // Its output, when asked for, is kept from its start; the rest is read and
  // dropped, so that a program that says much never waits on the pipe.
  folder_.Write("mame/showconfig.sh", "head -c 1000000 /dev/zero | tr '\\0' x; printf 'end' >&2");
  const ProgramOutcome said = RunAndWait(Mame() + "/mame", "mame -showconfig", 0, {}, 5);
  EXPECT_EQ(said.output + said.errors, "xxxxxend");
  // In a folder of its own, the caller's left as it was (a program started
  // from another thread meanwhile starts where that one is); never where it
  // cannot enter.
  folder_.Write("mame/showconfig.sh", "pwd");
  const std::filesystem::path before = std::filesystem::current_path();
  for (const std::string& folder : {folder_.path(), folder_.path() + "/gone"}) {
    const ProgramOutcome run = RunAndWait(Mame() + "/mame", "mame -showconfig", 0, {}, 4096, folder);
    EXPECT_EQ(run.started, folder == folder_.path()) << folder;
    EXPECT_EQ(run.output, run.started ? std::filesystem::canonical(folder).string() + "\n" : "");
  }
  EXPECT_EQ(std::filesystem::current_path(), before);
#endif
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
