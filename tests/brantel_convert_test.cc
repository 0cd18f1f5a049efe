// The headless front end as scripts drive it: a copy of the program in a
// program folder of its own, with a stand-in list generator.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <random>
#include <thread>

#include "engine/io/host_path.h"
#include "engine/io/line_file.h"
#include "engine/io/work_folder.h"
#include "engine/text_rules.h"
#include "tests/convert_fixture.h"
#include "tests/run_program.h"
#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace test_support;

class BrantelConvertTest : public ConvertFixture {
 protected:
  BrantelConvertTest() {
    program_ = (std::filesystem::path(Program()) /
                std::filesystem::path(BRANTEL_CONVERT_PROGRAM).filename()).string();
    std::filesystem::copy_file(BRANTEL_CONVERT_PROGRAM, program_);
    folder_.MakeFolder("program/list generator");
  }

  ProgramRun Convert(const std::vector<std::string>& arguments, const std::string& program = "") {
    return RunProgram(program.empty() ? program_ : program, arguments);
  }

  // The completion lines for the folder "old", which the stand-in MAME does
  // not load (on Windows it cannot be asked, and no mame.ini names it).
  std::string Completed() const {
    const std::string combined = std::filesystem::path(Mame()).make_preferred().string() + "\\ctrlr\\old.cfg";
    return "Conversion Complete!: The new controller file is " + HostPath(combined) + "\n"
#ifdef _WIN32
           "Conversion Complete!: For MAME to use it, set ctrlr old in mame.ini, or start MAME with -ctrlr old (a guess: "
           "MAME itself could not be asked, as it could not be started)\n"
#else
           "Conversion Complete!: MAME does not use it yet.\n"
           "Conversion Complete!: Its ctrlr is not set.\n"
           "Conversion Complete!: For MAME to use it, this line goes in " + HostPath(Mame() + "\\mame.ini") + ":\n"
           "Conversion Complete!: ctrlr old\n"
           "Conversion Complete!: Or start MAME with -ctrlr old\n"
#endif
           "Conversion Complete!: You can either keep your old folder or safely remove it at this time.\n";
  }

  std::string program_;
};

TEST_F(BrantelConvertTest, ConvertsAndPrintsTheNotesAndTheCompletionMessage) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("sample", "sample", "1")}));
  WriteIni("sample.ini", SampleIni());
  ProgramRun run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, SampleNotesPrinted() + Completed());
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"),
            CrLf({"<mameconfig version=\"10\">"}) + EmptyDefaultSection() + SampleSection() +
                CrLf({"", "</mameconfig>"}));
  EXPECT_EQ(OldFolderNames(), std::set<std::string>{"sample.ini"});
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", HostPath(Mame() + "\\"), "mame.exe", " 0 "}));
#ifndef _WIN32
  // Each file is on the disk before it takes its name; each file of the old
  // folder is read once; nothing is created but temporary files: in the
  // program folder (the settings, the record of the files written, and one
  // that tries whether the folder can be written) and beside the new file.
  WriteIni("default.ini", CrLf({"P1_START \"KEYCODE_1\""}));
  WriteIni("mine.cfg", "<mameconfig><system name=\"sample\"/></mameconfig>");
  FileTrace trace;
  EXPECT_EQ(RunProgramTracingFiles(program_, {"old", Mame(), "mame.exe"}, "", trace).exit_code, 0);
  // The settings, the same lines, stay as they are; the record names the new
  // file before it takes the name, and its state once it has.
  EXPECT_EQ(trace.renames, "combined.lst flushed\nold.cfg flushed\ncombined.lst flushed\n");
  const std::string real = std::filesystem::canonical(folder_.path()).string() + "/";
  for (const std::string name : {"sample.ini", "default.ini", "mine.cfg"}) {
    EXPECT_EQ(trace.opened[real + "mame/ctrlr/old/" + name], 1) << name;
  }
  std::map<std::string, int> created;
  for (const std::string& path : trace.created) {
    const std::string name = std::filesystem::path(path).filename().string();
    const bool ours = IsTemporaryFileName(name) && path.rfind(real + "program/", 0) == 0;
    ++created[ours ? "program temporary" : path.substr(0, path.size() - name.size()) +
                                               (IsTemporaryFileName(name) ? "~bt*.tmp" : name)];
  }
  created["program temporary"] = 0;
  EXPECT_EQ(created, (std::map<std::string, int>{{"program temporary", 0}, {real + "mame/ctrlr/~bt*.tmp", 1}}));

  // Converted again unchanged: nothing is written but the new file's
  // temporary, which goes, and the earlier file, in the state the record
  // noted, is not even read.
  FileTrace again;
  EXPECT_EQ(RunProgramTracingFiles(program_, {"old", Mame(), "mame.exe"}, "", again).exit_code, 0);
  EXPECT_EQ(again.renames, "");
  EXPECT_EQ(again.flushes, 0);
  EXPECT_EQ(again.opened[real + "mame/ctrlr/old.cfg"], 0);
  created.clear();
  for (const std::string& path : again.created) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (!IsTemporaryFileName(name) || path.rfind(real + "program/", 0) != 0) ++created[path];
  }
  EXPECT_EQ(created.size(), 1u);
  EXPECT_EQ(created.begin()->first.rfind(real + "mame/ctrlr/~bt", 0), 0u) << created.begin()->first;
  EXPECT_EQ(NamesIn("mame/ctrlr"), (std::set<std::string>{"old", "old.cfg"}));
#endif
}

TEST_F(BrantelConvertTest, TakesTextsNotGivenFromTheSettingsFile) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pong", "pong", "2")}));
  WriteIni("default.ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\""}));
  folder_.Write("program/brantel.cfg", CrLf({"  old  ", Mame(), "mame", " 1 "}));
  ProgramRun run = Convert({"--saved"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, Completed());
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", HostPath(Mame() + "\\"), "mame", " 1 "}));

  // A script's own texts, the settings file left as it is, however it ends.
  for (const std::string name : {"old", "missing"}) {
    EXPECT_EQ(Convert({"--no-save", name, folder_.path() + "/mame/", "mame.exe"}).exit_code, name == "old" ? 0 : 1);
    EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", HostPath(Mame() + "\\"), "mame", " 1 "}));
  }

  // Into a folder of the user's choice, a relative one from the current
  // folder; the old folder's neighbour stays as it was.
  const std::string beside = folder_.Read("mame/ctrlr/old.cfg");
  folder_.MakeFolder("out");
  run = RunProgram(program_, {"--no-save", "--output-folder", "out", "old", Mame(), "mame.exe"}, folder_.path());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(folder_.Read("out/old.cfg"), beside);
  EXPECT_NE(run.out.find("Conversion Complete!: The new controller file is " + HostPath(folder_.path() + "\\out\\old.cfg") +
                         "\nConversion Complete!: It is in the folder asked for instead of beside the old folder.\n"),
            std::string::npos) << run.out;
  run = RunProgram(program_, {"--no-save", "--output-folder", "gone", "old", Mame(), "mame.exe"}, folder_.path());
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, "Conversion Failed: Could not write the new file old.cfg in the folder \"" +
                         HostPath(folder_.path() + "\\gone") + "\": It is not there\n");
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"), beside);

  WriteIni("default.ini", CrLf({"P1_BUTTON1 \"KEYCODE_B\""}));
  run = Convert({"old", Mame() + "\\", "mame.exe"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", Mame() + "\\", "mame.exe", " 1 "}));
  EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"),
            CrLf({"<mameconfig version=\"10\">"}) + OnePortSection("default", "P1_BUTTON1", "KEYCODE_B") +
                CrLf({"", "</mameconfig>"}));
}

TEST_F(BrantelConvertTest, ExitStatusTellsWhatWentWrong) {
  // Copied out alone (from inside a zip): said at once, and nothing written.
  std::filesystem::remove(Program() + "/list generator");
  ProgramRun run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("Extract all files first"), std::string::npos) << run.err;
  EXPECT_FALSE(folder_.Exists("program/brantel.cfg"));
  folder_.MakeFolder("program/list generator");

  run = Convert({"missing", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "File Path Error: Directory Not Found!\nFile Path Error: " + HostPath(Mame() + "\\ctrlr\\missing\\") + "\n");

  // A MAME that is not there stops Convert before the list generator runs.
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pong", "pong", "2")}));
  WriteIni("a.ini", "");
#ifdef _WIN32
  const std::string on_path = "";
#else
  const std::string on_path = ", or mame64.exe on the PATH";
#endif
  const std::string gone = HostPath(Mame() + "\\gone\\mame");  // a full path, used as it is
  std::vector<std::pair<std::string, std::string>> executables = {
      {"mame64.exe", HostPath(Mame() + "\\mame64.exe") + on_path}, {gone, gone}, {"\"" + gone + "\"", gone},
      {"", HostPath(Mame() + "\\") + " (the executable name is empty)"}};
#ifndef _WIN32
  // Read as the path is: from the home folder.
  const std::string real_home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("HOME", Mame().c_str(), 1);
  executables.push_back({"~/gone/mame", gone});
#endif
  for (const auto& [executable, looked_for] : executables) {
    run = Convert({"old", Mame(), executable});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, "File Path Error: MAME Not Found!\nFile Path Error: " + looked_for + "\n") << executable;
  }
#ifndef _WIN32
  setenv("HOME", real_home.c_str(), 1);
#endif
  EXPECT_FALSE(folder_.Exists("program/listgen.ran"));
  EXPECT_FALSE(folder_.Exists("mame/ctrlr/old.cfg"));
  std::filesystem::remove(folder_.path() + "/mame/ctrlr/old/a.ini");

  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "File Path Error: No INI files found in this folder!\nFile Path Error: " + HostPath(Mame() + "\\ctrlr\\old\\") + "\n");

  WriteIni("a.ini", "");
  WriteIni("a.cfg", "not XML");
  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err.rfind("Conversion Failed: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("a.cfg"), std::string::npos);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);

#ifndef _WIN32
  // A write past the file-size limit fails like any other; a program folder
  // that cannot be tried for another reason than a refusal is not taken for
  // one that cannot be written. Nothing is left, nothing goes elsewhere.
  std::filesystem::remove(folder_.path() + "/mame/ctrlr/old/a.cfg");
  WriteIni("big.ini", "P1_BUTTON1 \"" + std::string(1 << 17, 'K') + "\"");
  const std::string run_in = "; XDG_CONFIG_HOME=\"$2\" XDG_CACHE_HOME=\"$2\" exec \"$0\" old \"$1\" mame.exe";
  for (const auto& [limit, reason] :
       {std::pair<std::string, std::string>{"ulimit -f 64", "File too large"}, {"ulimit -n 5", "Too many open files"},
        // Said as what they are, not blamed on a file of the user's.
        {"export LD_PRELOAD=" HOSTILE_SYSTEM " BRANTEL_REFUSE=threads",
         "check of the new file \"" + Mame() + "/ctrlr/old.cfg\": Resource temporarily unavailable; nothing was replaced"},
        {"export LD_PRELOAD=" HOSTILE_SYSTEM " BRANTEL_REFUSE=check-memory",
         "Could not check the new file \"" + Mame() + "/ctrlr/old.cfg\": Not enough memory; nothing was replaced"}}) {
    run = RunProgram("/bin/sh", {"-c", limit + run_in, program_, Mame(), folder_.path() + "/user"});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(Contains(run.err, "Conversion Failed: ") && run.err.ends_with(std::string(reason) + "\n")) << run.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Mame() + "/ctrlr"), {}), 1);
    EXPECT_FALSE(folder_.Exists("user"));
  }
  std::filesystem::remove(folder_.path() + "/mame/ctrlr/old/big.ini");
#endif

  // Settings that cannot be written: said once, not again by the save at the end.
  std::filesystem::remove(folder_.path() + "/mame/ctrlr/old/a.cfg");
  std::filesystem::remove(folder_.path() + "/program/brantel.cfg");
  folder_.MakeFolder("program/brantel.cfg");
  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find("brantel.cfg"), std::string::npos) << run.err;
}

// Two Converts at once, from one program folder or from two on one old
// folder: each either waits for the other or stops, and the file left is
// always one whole run's file.
TEST_F(BrantelConvertTest, ConvertsAtTheSameTimeTakeTurns) {
  folder_.MakeFolder("program2");
  std::string second = folder_.path() + "/program2/" + std::filesystem::path(program_).filename().string();
  std::filesystem::copy_file(program_, second);
  std::string list_a, list_b;
  for (int i = 0; i < 150; ++i) {
    std::string name = "game" + std::to_string(i);
    WriteIni(name + ".ini", CrLf({"P1_BUTTON1 \"KEY_" + std::to_string(i) + "\""}));
    list_a += MasterListLine(name, name, i % 2 ? "2" : "") + "\r\n";
    list_b += MasterListLine(name, "parent", "1") + "\r\n";
  }
  InstallStandInListGenerator(folder_, "program", list_a);
  InstallStandInListGenerator(folder_, "program2", list_b);
  ASSERT_EQ(Convert({"old", Mame(), "mame.exe"}).exit_code, 0);
  const std::string whole_a = folder_.Read("mame/ctrlr/old.cfg");
  ASSERT_EQ(Convert({"old", Mame(), "mame.exe"}, second).exit_code, 0);
  const std::string whole_b = folder_.Read("mame/ctrlr/old.cfg");
  ASSERT_NE(whole_a, whole_b);

  for (int pair = 0; pair < 8; ++pair) {
    std::string other = pair % 2 ? second : program_;
    auto first = std::async(std::launch::async, [&] { return Convert({"old", Mame(), "mame.exe"}); });
    ProgramRun run = Convert({"old", Mame(), "mame.exe"}, other);
    ProgramRun first_run = first.get();
    EXPECT_EQ(first_run.exit_code, 0) << first_run.out;
    EXPECT_EQ(run.exit_code, 0) << run.out;
    std::string left = folder_.Read("mame/ctrlr/old.cfg");
    EXPECT_TRUE(left == whole_a || left == whole_b) << "pair " << pair;
    EXPECT_EQ(OldFolderNames().size(), 150u) << "pair " << pair;
  }
#ifndef _WIN32
  // Copies that cannot write their own folders share the user's files, and
  // so their lock: a Convert waits while another copy holds it (here
  // `flock`), until it is stopped.
  const std::string listgen = folder_.Write("program/list generator/listgen",
      "#!/bin/sh\nmkdir -p \"$XDG_CACHE_HOME/brantel\"; cp prepared.lst \"$XDG_CACHE_HOME/brantel/masterlist.lst\"\n");
  std::filesystem::permissions(listgen, std::filesystem::perms::owner_all);
  const ProgramRun shared = RunProgram("/bin/sh", {"-c",
      "mkdir -p \"$2/config\" \"$2/cache\"; export XDG_CONFIG_HOME=\"$2/config\" XDG_CACHE_HOME=\"$2/cache\"; chattr +i \"${0%/*}\"; "
      "\"$0\" old \"$1\" mame.exe > /dev/null; d=\"$2/config/brantel\"; flock -o \"$d\" sleep 5 & q=$!; i=0; "
      "until ! flock -n \"$d\" true || [ $((i += 1)) -gt 1000 ]; do sleep 0.01; done; "
      "\"$0\" old \"$1\" mame.exe 2> \"$2/err\" & p=$!; i=0; "
      "until grep -q Waiting \"$2/err\" || [ $((i += 1)) -gt 3000 ]; do sleep 0.01; done; "
      "kill -TERM $p; wait $p; s=$?; cat \"$2/err\" >&2; kill $q; chattr -i \"${0%/*}\"; exit $s",
      program_, Mame(), folder_.path() + "/user"});
  EXPECT_EQ(shared.exit_code, 128 + 15) << shared.out << shared.err;
  EXPECT_NE(shared.err.find("Waiting: another Convert uses the files in " + folder_.path() + "/user/config/brantel\n"
                            "Conversion Failed: Interrupted: a request to stop came from outside\n"), std::string::npos)
      << shared.err;
#endif
}

#ifndef _WIN32
// The processes whose command line names `folder` (the program, the list
// generator and MAME all run from the test's folder), once none is left or
// after a few seconds.
std::string ProcessesLeftIn(const std::string& folder) {
  // "[/]tmp/..." finds the folder but not the shell that runs pgrep with it.
  const std::string pattern = "[" + folder.substr(0, 1) + "]" + folder.substr(1);
  ProgramRun left = RunProgram("/usr/bin/pgrep", {"-af", pattern});
  for (int step = 0; step < 100 && !left.out.empty(); ++step) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    left = RunProgram("/usr/bin/pgrep", {"-af", pattern});
  }
  return left.out;
}

// Interrupted at any moment (Ctrl+C, SIGTERM, SIGHUP, SIGKILL, its output
// closed, or while it waits for another Convert), a Convert keeps the
// previous combined file whole, leaves the settings file whole, no process
// of its own running and nothing of its own but, after SIGKILL, its work
// folder and temporary files, which the next run removes. Once it has said
// the file is complete, it ends with success.
TEST_F(BrantelConvertTest, InterruptedAtAnyMomentLeavesNothingAndTheNextRunConverts) {
  std::string list;
  for (int i = 0; i < 300; ++i) {
    WriteIni("game" + std::to_string(i) + ".ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\"", "P1_PADDLE \"KEYCODE_B\""}));
    list += MasterListLine("game" + std::to_string(i), "game0", "2") + "\r\n";
  }
  InstallStandInListGenerator(folder_, "program", list);
  ASSERT_EQ(Convert({"old", Mame(), "mame"}).exit_code, 0);
  const std::string whole = folder_.Read("mame/ctrlr/old.cfg");
  const std::string settings = CrLf({"old", HostPath(Mame() + "\\"), "mame", " 0 "});
  auto ours = [&](const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path() + "/" + folder)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("~bt", 0) == 0) names.insert(name);
    }
    return names;
  };
  struct Interruption {
    std::string signal;
    int number;
    std::string how;  // the shell's words: $0 the program, $1 the MAME path, $2 a file for the exit status
  };
  const std::string alone = "\"$0\" old \"$1\" mame & p=$!; ";
  // Another run holds the program folder's lock for longer than any wait
  // here: the stopped one must end while it still does.
  const std::string waiting = "flock -o \"${0%/*}\" sleep 5 & q=$!; i=0; until ! flock -n \"${0%/*}\" true || [ $((i += 1)) -gt 1000 ]; do sleep 0.01; done; "
      "\"$0\" old \"$1\" mame & p=$!; ";
  const std::vector<Interruption> interruptions = {
      {"INT", 2, alone}, {"TERM", 15, alone}, {"KILL", 9, alone}, {"HUP", 1, alone},
      {"", 0, "(\"$0\" old \"$1\" mame; echo $? > \"$2\") | true; exit $(cat \"$2\")"},
      {"TERM", 15, waiting}, {"HUP", 1, waiting}, {"INT", 2, waiting},
      // The moment the new file is in place: it is, and the run says so.
      {"", 0, "LD_PRELOAD=" STOP_AFTER_RENAME " BRANTEL_STOP_AFTER_RENAME=/old.cfg \"$0\" old \"$1\" mame"},
  };
  std::mt19937 random(17);
  for (int run = 0; run < 18; ++run) {
    const Interruption& interruption = interruptions[run % interruptions.size()];
    const unsigned hundredths = 8 + random() % 30;  // a whole run takes 0.2 to 0.4 s, mostly converting
    const std::string delay = std::string("0.") + static_cast<char>('0' + hundredths / 10) +
                              static_cast<char>('0' + hundredths % 10);
    // What a killed run left may still be there when this one stops early.
    const std::set<std::string> left = ours("mame/ctrlr"), left_in_program = ours("program");
    const std::string script =
        interruption.signal.empty()
            ? interruption.how
            : interruption.how + "sleep " + delay + "; kill -" + interruption.signal +
                  " $p 2>/dev/null; wait $p; s=$?; [ -z \"$q\" ] || { kill -0 $q || s=99; kill $q; }; exit $s";
    const ProgramRun killed =
        RunProgram("/bin/sh", {"-c", script, program_, Mame(), folder_.path() + "/status"});
    const std::string what = interruption.signal + " " + interruption.how + " after " + delay;
    const int number = interruption.number;
    EXPECT_TRUE(killed.exit_code == 0 || killed.exit_code == 128 + number) << what << ": " << killed.exit_code;
    if (killed.out.find("Conversion Complete!") != std::string::npos || interruption.how.find("LD_") == 0) {
      EXPECT_EQ(killed.exit_code, 0) << what << ": " << killed.out;
    }
    if (interruption.how == waiting) {
      // The shell adds its own line on how the program ended.
      EXPECT_EQ(killed.err.rfind("Conversion Failed: Interrupted: a request to stop came from outside\n", 0), 0u)
          << what << ": " << killed.err;
    }
    EXPECT_EQ(ProcessesLeftIn(folder_.path()), "") << what;
    EXPECT_TRUE(folder_.Read("mame/ctrlr/old.cfg") == whole) << what;
    EXPECT_FALSE(folder_.Exists("mame/ctrlr/old.cfg.bak")) << what;  // never the program's own file
    EXPECT_EQ(folder_.Read("program/brantel.cfg"), settings) << what;
    if (number != 9) {
      for (const std::string& name : ours("mame/ctrlr")) EXPECT_EQ(left.count(name), 1u) << what << ": " << name;
      for (const std::string& name : ours("program")) EXPECT_EQ(left_in_program.count(name), 1u) << what << ": " << name;
    }
  }
  // What runs killed outright left, and only that, goes at the next start.
  folder_.Write("program/~btkilled.tmp", "old\r\n");
  folder_.Write("program/~bt-mine.tmp", "mine");
  folder_.Write("program/~btkeep12-notes.tmp", "mine");  // the pattern's shape, not its length
  ASSERT_EQ(mkfifo((Program() + "/~btfifo00.tmp").c_str(), 0600), 0);
  // Held open without a lock (as "sleep 30 < file" does), here by the test.
  const std::ifstream held(folder_.Write("program/~btheld00.tmp", "theirs"));
  const std::set<std::string> not_ours = {"~bt-mine.tmp", "~btfifo00.tmp", "~btheld00.tmp", "~btkeep12-notes.tmp"};
  ASSERT_EQ(Convert({"old", Mame(), "mame"}).exit_code, 0);
  EXPECT_EQ(ours("mame/ctrlr"), std::set<std::string>{});
  EXPECT_EQ(ours("program"), not_ours);
  EXPECT_EQ(OldFolderNames().size(), 300u);

  // The list generator, and the MAME it runs, are ended with Convert before
  // either could write anything, however Convert ends.
  namespace fs = std::filesystem;
  fs::copy_file(fs::path(BRANTEL_CONVERT_PROGRAM).parent_path() / "list generator" / "listgen",
                Program() + "/list generator/listgen", fs::copy_options::overwrite_existing);
  const std::string mame = folder_.Write("mame/mame", "#!/bin/sh\nsleep 3\necho ran > \"$0.ran\"\n");
  fs::permissions(mame, fs::perms::owner_all);
  for (const std::string signal : {"TERM", "KILL"}) {
    RunProgram("/bin/sh", {"-c", "\"$0\" old \"$1\" mame & sleep 1; kill -" + signal + " $!; wait $!", program_, Mame()});
    EXPECT_EQ(ProcessesLeftIn(folder_.path()), "") << signal;
    EXPECT_FALSE(folder_.Exists("mame/mame.ran")) << signal;
    EXPECT_EQ(folder_.Read("program/masterlist.lst"), list) << signal;
    EXPECT_EQ(folder_.Read("program/brantel.cfg"), settings) << signal;
  }
  EXPECT_EQ(ours("program"), not_ours);
}

// Around the moment the new file takes the name (each change made, or each
// stop sent, by the program's own rename of the file named): nothing of the
// user's is lost, nothing of the program's own is ever kept aside as another's,
// and the next run tells of a file a stopped run kept aside.
TEST_F(BrantelConvertTest, ChangesAndStopsAroundTheRenameLoseNothing) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pong", "pong", "2")}));
  const std::string a = CrLf({"P1_BUTTON1 \"KEYCODE_A\""}), b = CrLf({"P1_BUTTON1 \"KEYCODE_B\""});
  WriteIni("pong.ini", b);
  ASSERT_EQ(Convert({"old", Mame(), "mame"}).exit_code, 0);
  const std::string whole_b = folder_.Read("mame/ctrlr/old.cfg");
  const std::string old = Mame() + "/ctrlr/old.cfg";
  std::string many;  // a record of more than 64 KB
  for (int i = 0; i < 299; ++i) many += "1 " + std::string(32, 'a') + " - - - /elsewhere/" + std::string(200, 'p') + std::to_string(i) + ".cfg\r\n";
  const struct Row {
    const char* what;
    std::string at_rename;  // the file whose rename is followed by the change or stop
    std::string change;     // a shell command; empty: a signal
    int signal;
    bool users_file;   // old.cfg is the user's, not the program's
    bool big_record;
    int exit_code;
    const char* kept;  // what old.cfg.bak holds after both runs ("" when none); "A" the earlier file
    const char* told;  // what the next run says
  } rows[] = {
      {"an edit after it was judged the program's own", "/combined.lst", "echo edit >> \"$OLD\"", 0, false, false, 0,
       "A+edit", ""},
      {"made read-only after the start", "/combined.lst", "chmod a-w \"$OLD\"", 0, false, false, 2, "", ""},
      {"killed after the user's file was kept aside", "/old.cfg.bak", "", 9, true, false, 128 + 9, "A",
       "changed: a Convert stopped while it replaced this file kept the earlier one, not known as this program's "
       "unedited output, as "},
      {"killed after the record named the new file", "/combined.lst", "", 9, false, false, 128 + 9, "", ""},
      {"killed after the new file took the name", "/old.cfg", "", 9, false, false, 128 + 9, "", ""},
      {"stopped after the new file took the name, the record large", "/old.cfg", "", 15, false, true, 0, "", ""},
  };
  for (const Row& row : rows) {
    std::filesystem::remove(old + ".bak");
    WriteIni("pong.ini", a);
    ASSERT_EQ(Convert({"old", Mame(), "mame"}).exit_code, 0) << row.what;
    const std::string earlier = row.users_file ? folder_.Write("mame/ctrlr/old.cfg", "mine"), "mine"
                                               : folder_.Read("mame/ctrlr/old.cfg");
    if (row.big_record) folder_.Write("program/combined.lst", folder_.Read("program/combined.lst") + many);
    WriteIni("pong.ini", b);
    const std::string how = row.change.empty() ? "BRANTEL_STOP_SIGNAL=" + std::to_string(row.signal)
                                               : "BRANTEL_AT_RENAME_RUN='" + row.change + "'";
    const ProgramRun run = RunProgram("/bin/sh", {"-c", "OLD=\"$2\" LD_PRELOAD=" STOP_AFTER_RENAME
        " BRANTEL_STOP_AFTER_RENAME=" + row.at_rename + " " + how + " \"$0\" old \"$1\" mame", program_, Mame(), old});
    EXPECT_EQ(run.exit_code, row.exit_code) << row.what << ": " << run.out << run.err;
    if (row.exit_code == 2) {
      EXPECT_NE(run.err.find("read-only"), std::string::npos) << row.what << ": " << run.err;
      EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"), earlier) << row.what;
      std::filesystem::permissions(old, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    }
    const ProgramRun next = Convert({"old", Mame(), "mame"});
    EXPECT_EQ(next.exit_code, 0) << row.what;
    EXPECT_EQ(folder_.Read("mame/ctrlr/old.cfg"), whole_b) << row.what;
    const std::string kept = row.kept;
    EXPECT_EQ(folder_.Exists("mame/ctrlr/old.cfg.bak") ? folder_.Read("mame/ctrlr/old.cfg.bak") : "",
              kept == "A" ? earlier : kept == "A+edit" ? earlier + "edit\n" : "") << row.what;
    EXPECT_EQ(next.out.find(std::string(row.told) + HostPath(old) + ".bak") != std::string::npos, *row.told != '\0')
        << row.what << ": " << next.out;
  }
}

// A stop while a big cfg file of the user's is read ends the run there, not
// at the file's end (where this one is not well-formed).
TEST_F(BrantelConvertTest, AStopWhileABigCfgFileIsReadEndsTheRunThere) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pong", "pong", "2")}));
  WriteIni("pong.ini", "");
  std::string systems = "<mameconfig>";
  for (int i = 0; i < 400000; ++i) systems += "<system name=\"s" + std::to_string(i) + "\"><input><port type=\"P1_START\"/></input></system>\n";
  WriteIni("big.cfg", systems);
  // Stopped as soon as it has the file open.
  const ProgramRun run = RunProgram("/bin/sh", {"-c", "\"$0\" old \"$1\" mame & p=$!; i=0; "
      "until ls -l /proc/$p/fd 2>/dev/null | grep -q big.cfg || [ $((i += 1)) -gt 3000 ]; do sleep 0.01; done; "
      "kill -TERM $p; wait $p", program_, Mame()});
  EXPECT_EQ(run.exit_code, 128 + 15) << run.out;
  EXPECT_EQ((run.out + run.err).find("not well-formed"), std::string::npos) << run.out << run.err;
}
#endif

#ifndef _WIN32
// Where the file system can neither rename without replacing nor link (FAT),
// the user's earlier file is still kept aside, never over an earlier one.
TEST_F(BrantelConvertTest, AFileSystemWithoutNoReplaceRenamesOrLinksStillKeepsFilesAside) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pong", "pong", "2")}));
  WriteIni("pong.ini", "P1_BUTTON1 \"KEY_A\"");
  for (const std::string kept : {"old.cfg.bak", "old.cfg.1.bak"}) {
    folder_.Write("mame/ctrlr/old.cfg", "mine, kept as " + kept);
    const ProgramRun run = RunProgram(
        "/bin/sh", {"-c", "LD_PRELOAD=" HOSTILE_SYSTEM " BRANTEL_REFUSE=noreplace exec \"$0\" old \"$1\" mame.exe",
                    program_, Mame()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(folder_.Read("mame/ctrlr/" + kept), "mine, kept as " + kept);
  }
}

// A left-over work folder whose removal stops at a file listed after the
// mark keeps the mark, so that the next run still knows it for ours.
TEST_F(BrantelConvertTest, AnInterruptedRemovalOfALeftWorkFolderLeavesItMarked) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pong", "pong", "2")}));
  WriteIni("pong.ini", "P1_BUTTON1 \"KEY_A\"");
  const std::string work = Mame() + "/ctrlr/" + kWorkFolderPrefix + "1";
  folder_.Write("mame/ctrlr/" + std::string(kWorkFolderPrefix) + "1/" + kWorkFolderMarkName, kWorkFolderMarkText);
  for (char name = 'a'; name <= 'j'; ++name) folder_.Write("mame/ctrlr/" + std::string(kWorkFolderPrefix) + "1/" + name + ".cfg", "");
  std::string stuck;
  bool after_mark = false;
  for (const auto& entry : std::filesystem::directory_iterator(work)) {
    if (after_mark && stuck.empty()) stuck = entry.path().filename().string();
    after_mark = after_mark || entry.path().filename() == kWorkFolderMarkName;
  }
  if (stuck.empty()) GTEST_SKIP() << "the mark is listed last here";
  ProgramRun run = RunProgram("/bin/sh", {"-c", "LD_PRELOAD=" HOSTILE_SYSTEM " BRANTEL_STUCK=" + stuck +
                                                    " exec \"$0\" old \"$1\" mame.exe", program_, Mame()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("left as it was, not removed: Device or resource busy"), std::string::npos) << run.out;
  EXPECT_TRUE(std::filesystem::exists(work + "/" + kWorkFolderMarkName));
  run = Convert({"old", Mame(), "mame.exe"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(work)) << run.out;
}

// Stopped while the list generator or MAME runs, a Convert ends them at
// once and leaves nothing a list generator that would not end made; a MAME
// that never answers -showconfig costs 10 seconds at most, and a guess.
TEST_F(BrantelConvertTest, AStopWhileAProgramRunsIsHeardThereAndLeavesNothing) {
  WriteIni("pong.ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\""}));
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pong", "pong", "2")}));
  ASSERT_EQ(Convert({"old", Mame(), "mame"}).exit_code, 0);
  const std::string left = NewTemporaryFileName();
  const std::string listgen = folder_.Read("program/list generator/listgen");
  folder_.Write("program/list generator/listgen",
                "#!/bin/sh\ntrap '' TERM\n: > ../" + left + "\n: > ../../running\nexec sleep 60\n");
  const std::string stop_when_running = "\"$0\" old \"$1\" mame & p=$!; i=0; "
      "until [ -e \"$1/../running\" ] || [ $((i += 1)) -gt 3000 ]; do sleep 0.01; done; kill -TERM $p; wait $p";
  ProgramRun run = RunProgram("/bin/sh", {"-c", stop_when_running, program_, Mame()});
  EXPECT_EQ(run.exit_code, 128 + 15) << run.err;
  EXPECT_FALSE(folder_.Exists("program/" + left));
  EXPECT_EQ(ProcessesLeftIn(folder_.path()), "");

  folder_.Write("program/list generator/listgen", listgen);
  std::filesystem::remove(folder_.path() + "/running");
  // MAME is asked beside the conversion: the stop comes once the new file
  // is in place, when only the question is left to stop.
  std::filesystem::remove(Mame() + "/ctrlr/old.cfg");
  folder_.Write("mame/showconfig.sh",
                "until [ -e \"${0%/*}/ctrlr/old.cfg\" ]; do sleep 0.01; done; : > \"${0%/*}/../running\"; exec sleep 60\n");
  run = RunProgram("/bin/sh", {"-c", stop_when_running, program_, Mame()});
  EXPECT_TRUE(Contains(run.out, "(a guess: MAME itself could not be asked, as asking it was stopped)")) << run.out;
  EXPECT_EQ(ProcessesLeftIn(folder_.path()), "");
  run = Convert({"old", Mame(), "mame"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(Contains(run.out, "(a guess: MAME itself could not be asked, as it did not answer within 10 seconds)"))
      << run.out;
  EXPECT_EQ(ProcessesLeftIn(folder_.path()), "");
}
#endif

#ifndef _WIN32
// Under a memory cap a file of one endless line never ends a run with a bare
// library error: mame.ini is read only in part, after the new file is in
// place; a kept master list that cannot be held is named and made anew.
TEST_F(BrantelConvertTest, OneHugeLineUnderAMemoryCap) {
  folder_.Write("program/list generator/listgen",
                "#!/bin/sh\ncase \"$*\" in *-new) printf '" + MasterListLine("pong", "pong", "2") + "\\r\\n' > ../masterlist.lst;; esac\n");
  std::filesystem::permissions(Program() + "/list generator/listgen", std::filesystem::perms::owner_all);
  folder_.Write("mame/showconfig.sh", "exit 3");
  WriteIni("pong.ini", "");
  for (const std::string huge : {"mame/mame.ini", "program/masterlist.lst"}) {
    folder_.Write("program/masterlist.lst", CrLf({MasterListLine("pong", "pong", "2")}));
    std::filesystem::resize_file(folder_.Write(huge, ""), 200 << 20);
    const ProgramRun run =
        RunProgram("/bin/sh", {"-c", "ulimit -v 100000; exec \"$0\" old \"$1\" mame", program_, Mame()});
    EXPECT_EQ(run.exit_code, 0) << huge << ": " << run.out;
    EXPECT_EQ(run.out.find("masterlist.lst: changed: the previous list could not be used (Not enough memory for one "
                           "of its lines), so it was made anew") == std::string::npos, huge[0] == 'm') << run.out;
    std::filesystem::remove(folder_.path() + "/" + huge);
  }
}
#endif

#ifndef _WIN32
// With --no-save the real list generator asks the MAME given, whatever
// brantel.cfg names or is: absent, another MAME, a MAME now gone. Each MAME
// lists pacman and puckman, one the clone of the other, and its section
// follows its parent's. A list kept from another MAME stops a Convert whose
// MAME cannot list.
TEST_F(BrantelConvertTest, NoSaveAsksTheMameItIsGiven) {
  std::filesystem::copy_file(LISTGEN_PROGRAM, Program() + "/list generator/listgen");
  const auto install = [&](const std::string& mame, const std::string& parent, const std::string& clone) {
    InstallStandInMame(folder_, mame);
    folder_.Write(mame + "/ctrlr/old/pacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\""}));
    folder_.Write(mame + "/ctrlr/old/puckman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_B\""}));
    folder_.Write(mame + "/listxml.sh",
                  parent.empty() ? "exit 1\n"
                                 : "printf '<mame build=\"1\"><machine name=\"" + parent +
                                       "\"><description>P</description></machine><machine name=\"" + clone +
                                       "\" cloneof=\"" + parent + "\"><description>C</description></machine></mame>'\n");
    return folder_.path() + "/" + mame;
  };
  const std::string mame_a = install("mame_a", "puckman", "pacman");
  install("mame", "pacman", "puckman");
  const std::string mame_c = install("mame_c", "", "");
  const auto order = [&](const std::string& mame) {
    const std::string written = folder_.Read(mame.substr(folder_.path().size() + 1) + "/ctrlr/old.cfg");
    return written.find("\"pacman\"") < written.find("\"puckman\"") ? "pacman puckman" : "puckman pacman";
  };
  struct Row {
    std::string why, saved_mame, given_mame;
    int exit_code;
    std::string order_or_error;
  };
  const std::string another = "the list kept was made from another MAME";
  for (const Row& row : {Row{"no brantel.cfg", "", Mame(), 0, "pacman puckman"},
                         Row{"brantel.cfg names MAME A", mame_a, Mame(), 0, "pacman puckman"},
                         Row{"the saved MAME is gone", "gone", Mame(), 0, "pacman puckman"},
                         Row{"a MAME that cannot list", "", mame_c, 2, another}}) {
    if (!row.saved_mame.empty()) {
      ASSERT_EQ(Convert({"old", mame_a, "mame"}).exit_code, 0) << row.why;
    }
    if (row.saved_mame == "gone") std::filesystem::rename(mame_a, mame_a + "-gone");
    const std::string settings = folder_.Exists("program/brantel.cfg") ? folder_.Read("program/brantel.cfg") : "";
    const ProgramRun run = Convert({"--no-save", "old", row.given_mame, "mame"});
    EXPECT_EQ(run.exit_code, row.exit_code) << row.why << ": " << run.err;
    const std::string seen =
        run.exit_code == 0 ? order(row.given_mame) : run.err.substr(std::min(run.err.find(another), run.err.size()));
    EXPECT_EQ(seen, row.exit_code == 0 ? row.order_or_error : another + ", " + Mame() + "/mame\n") << row.why;
    EXPECT_EQ(folder_.Exists("program/brantel.cfg") ? folder_.Read("program/brantel.cfg") : "", settings) << row.why;
    if (row.saved_mame == "gone") std::filesystem::rename(mame_a + "-gone", mame_a);
  }
}
#endif

#ifndef _WIN32
// Runs take turns on the files they share, and only on those: a run that
// waits more than a second says for what; a copy installed where it cannot
// write keeps its user's files, and their locks, in the user's folders, so
// a run elsewhere holding the program folder never holds it up.
TEST_F(BrantelConvertTest, RunsTakeTurnsOnTheFilesTheyShareAndSaySo) {
  std::filesystem::copy_file(LISTGEN_PROGRAM, Program() + "/list generator/listgen");
  folder_.Write("mame/listxml.sh", "printf '<mame><machine name=\"a\"><description>A</description></machine></mame>'\n");
  WriteIni("a.ini", CrLf({"P1_BUTTON1 \"KEYCODE_A\""}));
  SetUserFolders(folder_.path() + "/config", folder_.path() + "/cache");
  // "$0" the program, "$1" MAME, "$2" a folder for what the run printed;
  // the program folder's lock is held meanwhile, as another run holds it.
  const std::string held_until_it_waits =
      "flock -o \"${0%/*}\" sh -c '(\"$0\" old \"$1\" mame; echo $? >\"$2/status\") >\"$2/out\" 2>\"$2/err\" & i=0; "
      "until grep -q Waiting \"$2/err\" || [ $i -ge 400 ]; do sleep 0.05; i=$((i+1)); done' \"$0\" \"$1\" \"$2\"; "
      "until [ -s \"$2/status\" ]; do sleep 0.05; done; cat \"$2/err\" >&2; exit $(cat \"$2/status\")";
  const std::string installed =
      "chmod a-w \"${0%/*}\"; chattr +i \"${0%/*}\" 2>/dev/null; flock -o \"${0%/*}\" timeout 30 \"$0\" old \"$1\" mame; "
      "s=$?; chattr -i \"${0%/*}\" 2>/dev/null; chmod u+w \"${0%/*}\"; exit $s";
  for (const auto& [script, said] :
       {std::pair{held_until_it_waits, "Waiting: another Convert uses the files in " + Program() + "\n"},
        {installed, std::string()}}) {
    folder_.MakeFolder("run");
    const ProgramRun run = RunProgram("/bin/sh", {"-c", script, program_, Mame(), folder_.path() + "/run"});
    EXPECT_EQ(run.exit_code, 0) << said;
    EXPECT_EQ(run.err, said);
    std::filesystem::remove_all(folder_.path() + "/run");
  }
  EXPECT_TRUE(folder_.Exists("config/brantel/brantel.cfg"));
}
#endif

TEST_F(BrantelConvertTest, HelpAndWrongUsage) {
  struct Case {
    std::vector<std::string> arguments;
    int exit_code;
    std::string printed;  // on standard output, or on standard error for a failure
  };
  const std::string s(1, kHostSeparator);  // the usage's paths are the system's own
  const std::vector<Case> cases = {
      {{"--help"}, 0, "Usage: brantel-convert [OPTION] [--] FOLDER [MAME_PATH [EXE]]\n"
                      "       brantel-convert [OPTION] --saved\n"},
      {{"-h"}, 0, "MAME_PATH" + s + "ctrlr" + s + "FOLDER.cfg"},
      {{"/?"}, 0, "settings:    "},
      {{"--help"}, 0, "program" + s + "brantel.cfg\n"},
      {{"--help"}, 0, "Exit status:\n  0  converted"},
      {{"--help"}, 0, "\n  1  \"File Path Error\": the folder, its INI files or MAME not found"},
      {{"--help"}, 0, "\n  2  \"Conversion Failed\": any other failure, or wrong usage (no FOLDER\n"},
      {{"--help"}, 0, "Examples:\n  brantel-convert mycab "},
      {{"--help"}, 0, "do brantel-convert --no-save "},
      {{"--version"}, 0, "brantel-convert 1."},      {{"-x", "old"}, 2, "unknown option -x"},
      {{"a", "b", "c", "d"}, 2, "Usage:"},           {{"--", "-h", Mame()}, 1, "Directory Not Found!"},
      // A bare command converts nothing: the saved settings only on request.
      {{}, 2, "Usage:"},                             {{"--no-save"}, 2, "Usage:"},
      {{"--"}, 2, "Usage:"},                         {{"--saved", "--no-save"}, 1, "Directory Not Found!"},
      {{"--no-save", "--", "-h", Mame()}, 1, "Directory Not Found!"},
      {{"--help"}, 0, "\n  --use-in-mame   when MAME does not use the new file yet, set ctrlr"},
      {{"--help"}, 0, "\n  --output-folder DIR\n"},
      {{"--output-folder"}, 2, "--output-folder needs a folder"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(Program() + "/brantel.cfg");
    const ProgramRun run = Convert(c.arguments);
    const std::string first = c.arguments.empty() ? "" : c.arguments[0];
    EXPECT_EQ(run.exit_code, c.exit_code) << first;
    EXPECT_NE((c.exit_code == 0 ? run.out : run.err).find(c.printed), std::string::npos) << first;
    EXPECT_EQ(folder_.Exists("program/brantel.cfg"), c.exit_code == 1 && std::find(c.arguments.begin(), c.arguments.end(), "--no-save") == c.arguments.end())
        << first;
  }
#ifndef _WIN32
  // Installed where it cannot write: the usage names the user's folders, and makes none.
  SetUserFolders(folder_.path() + "/config", folder_.path() + "/cache");
  const ProgramRun run = RunProgram("/bin/sh", {"-c", "chmod a-w \"$0\"; chattr +i \"$0\" 2>/dev/null; \"$1\" --help; "
                                                "chattr -i \"$0\" 2>/dev/null; chmod u+w \"$0\"", Program(), program_});
  EXPECT_NE(run.out.find(folder_.path() + "/config/brantel/brantel.cfg"), std::string::npos) << run.out;
  EXPECT_FALSE(folder_.Exists("config") || folder_.Exists("cache"));
#endif
}

}  // namespace
}  // namespace brantel
