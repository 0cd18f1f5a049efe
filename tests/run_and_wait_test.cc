#include "tools/run_and_wait.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>


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
#endif
}

#ifndef _WIN32
// The state letter /proc gives the process: "Z" once it has ended and not
// been waited for, "" once it is gone.
std::string ProcessState(const std::string& pid_file_text) {
  std::ifstream stat("/proc/" + std::to_string(std::stoi(pid_file_text)) + "/stat");
  std::string field;
  for (int at = 0; at < 3 && stat >> field; ++at) {
  }
  return stat ? field : "";
}

// How a program ends, and what the wait makes of it: its last output kept
// whole however late it comes; the wait over when the program is, never one
// more call made after its end; a helper it left running ended with it.
TEST_F(RunAndWaitTest, TheWaitEndsWithTheProgramAndWhatItLeftRunning) {
  const auto run = [&](const std::string& script, const WhileWaiting& while_waiting = {}) {
    const std::string program = folder_.Write("program.sh", "#!/bin/sh\necho $$ > \"$0.pid\"\n" + script);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    return RunAndWait(program, "program.sh", 0, while_waiting, 1 << 20);
  };
  // The last bytes are written as the program ends, between two looks.
  for (int round = 0; round < 20; ++round) {
    const ProgramOutcome said = run("head -c 300000 /dev/zero | tr '\\0' x; printf end; printf end >&2");
    ASSERT_EQ(said.output, std::string(300000, 'x') + "end") << round;
    ASSERT_EQ(said.errors, "end") << round;
  }
  // Its pipes closed long before it ends: asked to end by the first call,
  // the wait is over before any call could see it ended.
  int calls_after_the_end = 0;
  const ProgramOutcome ended = run("exec >&- 2>&-; exec sleep 30", [&] {
    const std::string pid = folder_.Exists("program.sh.pid") ? folder_.Read("program.sh.pid") : "";
    if (pid.empty() || pid.back() != '\n') return;
    calls_after_the_end += ProcessState(pid) == "Z";
    ::kill(std::stoi(pid), SIGTERM);
  });
  EXPECT_EQ(ended.description, "was ended by signal 15 (Terminated)");
  EXPECT_EQ(calls_after_the_end, 0);
  // A helper started in the background (as a script standing for MAME may)
  // does not outlive the program.
  const ProgramOutcome left = run("sleep 30 & echo $! > \"$0.helper\"");
  EXPECT_TRUE(left.succeeded);
  const std::string helper = folder_.Read("program.sh.helper");
  const std::string state = ProcessState(helper);  // a zombie when no one waits for orphans
  if (state != "" && state != "Z") ::kill(std::stoi(helper), SIGKILL);
  EXPECT_TRUE(state == "" || state == "Z") << state;
}
#endif

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
