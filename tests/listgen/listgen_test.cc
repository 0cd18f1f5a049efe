// The list generator against a stand-in MAME: what it writes, from which
// MAME, and what a failed run leaves behind.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "engine/io/file_safety.h"
#include "engine/io/work_folder.h"
#include "tests/listgen/fake_mame_fixture.h"

namespace listgen::test_support {
namespace {

using brantel::test_support::CrLf;
namespace fs = std::filesystem;

const std::string kSourceRecord = "list generator/masterlist.source";

// Shaped like MAME 0.251's -listxml output, with the cases the master list
// tells apart.
const std::string kListXml = R"xml(<?xml version="1.0"?>
<!DOCTYPE mame [
<!ELEMENT mame (machine+)>
	<!ATTLIST mame build CDATA #IMPLIED>
	<!ELEMENT machine (description, year?, manufacturer?, rom*, display*, input?)>
		<!ATTLIST machine name CDATA #REQUIRED>
		<!ATTLIST machine runnable (yes|no) "yes">
]>

<mame build="0.251 (unknown)" debug="no" mameconfig="10">
	<machine name="pong" sourcefile="atari/pong.cpp">
		<description>Pong (Rev E) [TTL]</description>
		<year>1972</year>
		<manufacturer>Atari</manufacturer>
		<device_ref name="netlist_cpu"/>
		<display tag="screen" type="raster" rotate="0" width="454" height="262" refresh="60,179204" />
		<input players="2" coins="1" service="yes">
			<control type="paddle" player="1" minimum="0" maximum="255" sensitivity="2" keydelta="100"/>
		</input>
	</machine>
	<machine name="pacman" sourcefile="src/mame/namco/pacman.cpp" cloneof="puckman" romof="puckman">
		<description>Pac-Man (Midway)</description>
		<year>1980</year>
		<manufacturer>Namco (Midway license)</manufacturer>
		<rom name="pacman.6e" size="4096" crc="c1e6ab10" region="maincpu" offset="0"/>
		<input players="2" coins="2"/>
	</machine>
	<machine name="neogeo" sourcefile="neogeo/neogeo.cpp" isbios="yes">
		<description>Neo-Geo MV-6F</description>
		<year>1990</year>
		<manufacturer>SNK</manufacturer>
		<input players="2" coins="2"/>
	</machine>
	<machine name="mslug" sourcefile="neogeo/neogeo.cpp" romof="neogeo">
		<description>Metal Slug - Super Vehicle-001</description>
		<year>1996</year>
		<manufacturer>Nazca</manufacturer>
		<input players="2" coins="2"/>
	</machine>
	<machine name="z80" sourcefile="src/devices/cpu/z80/z80.cpp" isdevice="yes" runnable="no">
		<description>Zilog Z80</description>
	</machine>
	<machine name="18w" sourcefile="midway/mw18w.cpp" ismechanical="yes">
		<description>18 Wheeler (set 1)</description>
		<year>1979</year>
		<manufacturer>Midway</manufacturer>
		<input players="1" coins="1"/>
	</machine>
	<machine name="nopanel" sourcefile="misc\nopanel.cpp">
		<description>Bar | &amp; Co&#13;&#10;Line two
continued</description>
		<year>19??</year>
		<manufacturer>A|B</manufacturer>
	</machine>
	<machine name="halted" sourcefile="misc/halted.cpp" runnable="no">
		<description>Halted</description>
		<input players="4"/>
	</machine>
</mame>
)xml";

const std::string kMasterList = CrLf({
    "pong|Pong (Rev E) [TTL]|1972|Atari|pong|MAME|pong.cpp|||2",
    "pacman|Pac-Man (Midway)|1980|Namco (Midway license)|puckman|MAME|pacman.cpp|puckman||2",
    "neogeo|Neo-Geo MV-6F|1990|SNK|neogeo|MAME|neogeo.cpp||bios|",
    "mslug|Metal Slug - Super Vehicle-001|1996|Nazca|mslug|MAME|neogeo.cpp|neogeo||2",
    "z80|Zilog Z80|||z80|MAME|z80.cpp||device,notrunnable|",
    "18w|18 Wheeler (set 1)|1979|Midway|18w|MAME|mw18w.cpp||mechanical|1",
    "nopanel|Bar   & Co  Line two continued|19??|A B|nopanel|MAME|nopanel.cpp|||0",
    "halted|Halted|||halted|MAME|halted.cpp||notrunnable|",
});

class ListgenTest : public FakeMameTest {
 protected:
  ListgenTest() { WriteSettings(MameFolder() + "\\", "mame"); }
};

TEST_F(ListgenTest, WritesOneLinePerMachineWithTheFieldsTheClassificationReads) {
  InstallFakeMame("mame", kListXml);
  std::string renames;  // each file is on the disk before it takes its name
  const ProgramRun run = RunProgramTracingRenames(LISTGEN_PROGRAM, {"-s", "-ctrlr"}, folder_.path() + "/list generator", renames);
  EXPECT_EQ(renames, "masterlist.lst flushed\nmasterlist.source flushed\n");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(MasterList(), kMasterList);
  EXPECT_EQ(FakeMameArguments("mame"), "-listxml\n");
  EXPECT_EQ(ProgramFolderFiles(), (std::vector<std::string>{"brantel.cfg", "masterlist.lst"}));
}

TEST_F(ListgenTest, ReadsTheGameElementOfOlderBuilds) {
  InstallFakeMame("mame", R"xml(<?xml version="1.0"?>
<mame build="0.105">
	<game name="puckman" sourcefile="pacman.c">
		<description>PuckMan (Japan set 1)</description>
		<year>1980</year>
		<manufacturer>Namco</manufacturer>
		<input players="2" buttons="0" coins="2">
			<control type="joy4way"/>
		</input>
	</game>
	<game name="pacman" sourcefile="pacman.c" cloneof="puckman" romof="puckman">
		<description>Pac-Man (Midway)</description>
		<year>1980</year>
		<manufacturer>Namco (Midway license)</manufacturer>
		<input players="2" buttons="0" coins="2"/>
	</game>
	<game name="neogeo" sourcefile="neogeo.c" isbios="yes" runnable="no">
		<description>Neo-Geo</description>
	</game>
</mame>
)xml");
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), CrLf({
                              "puckman|PuckMan (Japan set 1)|1980|Namco|puckman|MAME|pacman.c|||2",
                              "pacman|Pac-Man (Midway)|1980|Namco (Midway license)|puckman|MAME|pacman.c|puckman||2",
                              "neogeo|Neo-Geo|||neogeo|MAME|neogeo.c||bios,notrunnable|",
                          }));
}

TEST_F(ListgenTest, NamesEveryFlagInOneOrder) {
  InstallFakeMame("mame", R"xml(<mame>
<machine runnable="no" ismechanical="yes" isdevice="yes" isbios="yes" name="all"><input players="1"/></machine>
<machine name="none" isbios="no" isdevice="no" ismechanical="no" runnable="yes"><input players="3"/></machine>
</mame>)xml");
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), CrLf({"all||||all|MAME|||bios,device,mechanical,notrunnable|",
                                "none||||none|MAME||||3"}));
}

TEST_F(ListgenTest, TakesThePlayerCountFromTheMachinesOwnInputElement) {
  // Only the machine's direct <input> child counts; a players attribute
  // that is missing or spelled in the locale's way still gives a number.
  InstallFakeMame("mame", R"xml(<mame>
<machine name="nested"><device type="x"><input players="7"/></device></machine>
<machine name="bare"><input coins="1"/></machine>
<machine name="spaced"><input players=" 1&#160;2 "/></machine>
</mame>)xml");
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), CrLf({"nested||||nested|MAME||||0", "bare||||bare|MAME||||0",
                                "spaced||||spaced|MAME||||12"}));
}

TEST_F(ListgenTest, ReplacesTheOldListWhenTheRunSucceeds) {
  WriteOldMasterList(CrLf({"old|line"}));
  InstallFakeMame("mame", kListXml);
  EXPECT_EQ(RunListgen().exit_code, 0);
  EXPECT_EQ(MasterList(), kMasterList);
}

// A failed run: the previous list stays as it was, nothing else is left in
// the program folder, and the reason is one line on standard error.
class FailedRunTest : public ListgenTest {
 protected:
  FailedRunTest() { WriteOldMasterList(kOldList); }

  void ExpectFailureMentioning(const ProgramRun& run, const std::string& words) {
    EXPECT_NE(run.exit_code, 0);
    EXPECT_NE(run.exit_code, 2) << "2 is kept for usage errors";
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(LineCount(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
    EXPECT_EQ(MasterList(), kOldList);
    EXPECT_EQ(ProgramFolderFiles(), (std::vector<std::string>{"brantel.cfg", "masterlist.lst"}));
    EXPECT_FALSE(folder_.Exists(kSourceRecord));
  }

  const std::string kOldList = CrLf({"pong|Pong|1972|Atari|pong|MAME|pong.cpp|||2"});
};

TEST_F(FailedRunTest, MameEndingWithAnErrorStatusAfterCompleteOutput) {
  InstallFakeMame("mame", kListXml, 3);
  ExpectFailureMentioning(RunListgen(), "exit status 3");
}

TEST_F(FailedRunTest, MameKilledBySignal) {
  InstallFakeMame("mame", kListXml, -9);
  ExpectFailureMentioning(RunListgen(), "signal 9");
}

// SIGTERM while MAME runs: the list generator ends by that signal, so that
// its caller reports it as stopped, not as failed.
TEST_F(FailedRunTest, StoppedBySigtermEndsByThatSignal) {
  InstallFakeMame("mame", kListXml);
  folder_.Write("mame/mame", "#!/bin/sh\nkill -TERM $PPID\ncat \"$0.xml\"\n");
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 128 + SIGTERM) << run.err;
  EXPECT_EQ(MasterList(), kOldList);
  EXPECT_EQ(ProgramFolderFiles(), (std::vector<std::string>{"brantel.cfg", "masterlist.lst"}));
}

TEST_F(FailedRunTest, MameFailingWithoutOutputIsReportedAsMamesFailureNotAsBadXml) {
  InstallFakeMame("mame", "", 1);
  ExpectFailureMentioning(RunListgen(), "exit status 1");
}

TEST_F(FailedRunTest, OutputThatIsNotWellFormedGivesLineAndColumn) {
  // The lines of elements the list does not need count too.
  InstallFakeMame("mame",
                  "<mame>\n<machine name=\"a\">\n  <rom name=\"a1\"/>\n  <chip name=\"c\"/>\r\n"
                  "  <description>A</descr>\n</machine>\n</mame>\n");
  ExpectFailureMentioning(RunListgen(), "line 5, column 18");
}

TEST_F(FailedRunTest, OutputCutOffInsideAMachine) {
  InstallFakeMame("mame", kListXml.substr(0, kListXml.find("<machine name=\"z80\"")));
  ExpectFailureMentioning(RunListgen(), "not well-formed");
}

TEST_F(FailedRunTest, OutputWithoutMachines) {
  InstallFakeMame("mame", "<?xml version=\"1.0\"?>\n<mame build=\"0.251\"></mame>\n");
  ExpectFailureMentioning(RunListgen(), "no machines");
}

TEST_F(FailedRunTest, NoMameAtThePath) {
  ExpectFailureMentioning(RunListgen(), "Could not start");
}

TEST_F(FailedRunTest, NoSettingsFile) {
  std::filesystem::remove(folder_.path() + "/brantel.cfg");
  const ProgramRun run = RunListgen();
  EXPECT_NE(run.exit_code, 0);
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
  EXPECT_NE(run.err.find("brantel.cfg"), std::string::npos) << run.err;
  EXPECT_EQ(MasterList(), kOldList);
}

TEST_F(FailedRunTest, SettingsWithoutAnExecutableName) {
  folder_.Write("brantel.cfg", CrLf({"hotrod", MameFolder()}));
  InstallFakeMame("mame", kListXml);
  const ProgramRun run = RunListgen();
  EXPECT_NE(run.exit_code, 0);
  EXPECT_EQ(LineCount(run.err), 1) << run.err;
  EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
  EXPECT_EQ(MasterList(), kOldList);
}

// Where MAME is found: the settings as the window and Convert write them.
class MameLookupTest : public FakeMameTest {};

TEST_F(MameLookupTest, PathInBackslashFormTrimmedAndWithoutItsFinalBackslash) {
  WriteSettings("  " + MameFolder() + "  ", "  mame  ");
  InstallFakeMame("mame", kListXml);
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), kMasterList);
}

TEST_F(MameLookupTest, WindowsExecutableNameFindsTheProgramWithoutSuffix) {
  WriteSettings(MameFolder() + "\\", "mame.exe");
  InstallFakeMame("mame", kListXml);
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), kMasterList);
}

TEST_F(MameLookupTest, ProgramNamedWithExeIsTakenAsItIs) {
  WriteSettings(MameFolder() + "\\", "mame.exe");
  InstallFakeMame("mame.exe", kListXml);
  InstallFakeMame("mame", "", 1);
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), kMasterList);
}

TEST_F(MameLookupTest, PathRelativeToTheListGeneratorFolder) {
  WriteSettings("..\\mame", "mame");
  InstallFakeMame("mame", kListXml);
  const ProgramRun run = RunListgen();
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), kMasterList);
}

TEST_F(MameLookupTest, ANameWithoutFolderIsLookedForOnTheSearchPathAsAShellWould) {
  folder_.MakeFolder("empty");
  folder_.Write("empty/mame", "a file named like MAME, not a program");
  WriteSettings(folder_.path() + "\\empty\\", "mame.exe");
  InstallFakeMame("mame", kListXml);
  const std::string mame_folder = folder_.path() + "/mame";
  const ProgramRun run = RunListgenAfter("PATH=/nowhere::" + mame_folder + ":$PATH");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), kMasterList);
  EXPECT_NE(folder_.Read(kSourceRecord).find("MAME program: " + mame_folder + "/mame\r\n"), std::string::npos);
  // A name with a folder in it is never looked for there, nor is any name
  // in a folder the PATH names relative to the current one, which Convert's
  // own look-up would take for another.
  for (const auto& [executable, path] :
       {std::pair{"mame/mame", folder_.path()}, {"mame\\mame", folder_.path()}, {"mame", std::string("../mame")}}) {
    WriteSettings(folder_.path() + "\\empty\\", executable);
    const ProgramRun with_folder = RunListgenAfter("PATH=" + path + ":$PATH");
    EXPECT_NE(with_folder.err.find("Could not start"), std::string::npos) << executable << ": " << with_folder.err;
  }
}

#ifndef _WIN32
// -mame names the MAME itself, with spaces and quotes as they come: the
// settings file, naming another MAME, missing or a FIFO no one writes to, is
// never opened.
TEST_F(MameLookupTest, TheMameGivenIsAskedAndTheSettingsFileNeverRead) {
  InstallFakeMame("mame", "", 1);
  InstallFakeMame("my \"own\" mame", kListXml);
  const std::string given = folder_.path() + "/mame/my \"own\" mame";
  WriteSettings(MameFolder() + "\\", "mame");
  for (const std::string settings : {"another MAME", "none", "FIFO"}) {
    if (settings != "another MAME") std::filesystem::remove(folder_.path() + "/brantel.cfg");
    if (settings == "FIFO") {
      ASSERT_EQ(::mkfifo((folder_.path() + "/brantel.cfg").c_str(), 0600), 0);
    }
    const ProgramRun run = RunListgen({"-s", "-ctrlr", "-new", "-mame", given});
    EXPECT_EQ(run.exit_code, 0) << settings << ": " << run.err;
    EXPECT_EQ(MasterList(), kMasterList) << settings;
    EXPECT_NE(folder_.Read(kSourceRecord).find("MAME program: " + given + "\r\n"), std::string::npos) << settings;
    EXPECT_EQ(FakeMameArguments("mame"), "") << settings;
  }
}
#endif

TEST_F(MameLookupTest, AParentIgnoringChildEndsDoesNotKeepMameFromBeingWaitedFor) {
  WriteSettings(MameFolder() + "\\", "mame");
  InstallFakeMame("mame", kListXml);
  const ProgramRun run = RunListgenAfter("trap '' CHLD");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(MasterList(), kMasterList);
}

// The source record: a list made from the MAME at hand is kept without
// starting MAME; a change of MAME, the list or the record, or -new, makes it anew, once.
class ReuseTest : public ListgenTest {
 protected:
  ReuseTest() {
    InstallFakeMame("mame", kListXml);
    EXPECT_EQ(RunListgen().exit_code, 0);
    record_ = folder_.Read(kSourceRecord);
    ForgetFakeMameRuns("mame");
  }
  std::string record_;
};

TEST_F(ReuseTest, AFailingMameLeavesTheListAndItsRecordAsTheyWere) {
  EXPECT_NE(record_.find("\r\nMAME -version: 0.251 (unknown)\r\n"), std::string::npos) << record_;
  InstallFakeMame("mame", "<mame build=\"0.252\"><machine name=\"new\"/></mame>", 3);
  EXPECT_EQ(RunListgen().exit_code, 1);
  EXPECT_EQ(MasterList(), kMasterList);
  EXPECT_EQ(folder_.Read(kSourceRecord), record_);
}

// A run of an earlier version that was killed left its work folder, with
// the list it was writing; the next run removes it, but never one a running list generator
// holds, nor a folder of that name that is not provably one of ours. Each
// is judged on its own.
TEST_F(ReuseTest, WorkFoldersOfKilledRunsAreRemovedButNoOtherFolder) {
  const std::string mark = brantel::test_support::CrLf({brantel::kWorkFolderMarkText});
  struct Left {
    std::string folder;
    std::vector<std::pair<std::string, std::string>> files;  // name, bytes
    bool removed;
  };
  const std::vector<Left> cases = {
      {"~btwork-killed01", {{"~btwork.mark", mark}, {"~btabcdef.tmp", "pong|Pong (Rev E) [TT"}}, true},
      {"list generator/~btwork-killed02", {{"~btwork.mark", mark}, {"~btabcdef.tmp", "MAME program: "}}, true},
      {"~btwork-marked00", {{"~btwork.mark", mark}, {"pong.cfg", "<system/>"}, {"1.xml", ""}}, true},
      {"~btwork-", {{"pong.ini", "P1_START \"KEY_1\""}}, false},
      {"~btwork-my saved configs", {{"pong.cfg", "<system/>"}}, false},
      {"~btwork-abcdefg", {{"~btwork.mark", "my own note"}, {"pong.cfg", "<system/>"}}, false},
      {"~btwork-hidden01", {{"~btwork.mark", mark}, {".hidden", ""}}, false},
      {"~btwork-notes001", {{"~btwork.mark", mark}, {"notes.txt", ""}}, false},
      {"~btwork-sub00001", {{"~btwork.mark", mark}, {"sub/a.cfg", ""}}, false},
      {"~btwork-killed03", {{"~btwork.mark", mark}}, true},
  };
  for (const Left& left : cases) {
    folder_.MakeFolder(left.folder);
    for (const auto& [name, bytes] : left.files) folder_.Write(left.folder + "/" + name, bytes);
  }
#ifndef _WIN32
  // A FIFO under the mark's name is never opened.
  folder_.MakeFolder("~btwork-fifo0001");
  ASSERT_EQ(::mkfifo((folder_.path() + "/~btwork-fifo0001/~btwork.mark").c_str(), 0600), 0);
#endif
  folder_.MakeFolder("~btwork-running1");
  folder_.Write("~btwork-running1/~btwork.mark", mark);
  brantel::FolderLock running(folder_.path() + "/~btwork-running1");
  EXPECT_EQ(RunListgen().exit_code, 0);
  for (const Left& left : cases) {
    EXPECT_EQ(folder_.Exists(left.folder), !left.removed) << left.folder;
    if (left.removed) continue;
    for (const auto& [name, bytes] : left.files) EXPECT_EQ(folder_.Read(left.folder + "/" + name), bytes) << name;
  }
#ifndef _WIN32
  EXPECT_TRUE(folder_.Exists("~btwork-fifo0001/~btwork.mark"));
#endif
  EXPECT_TRUE(folder_.Exists("~btwork-running1/~btwork.mark"));

#ifndef _WIN32
  // A removal cut short (here by a file that cannot be removed) leaves the
  // folder marked, so that the next run finishes it.
  folder_.Write("~btwork-halfway1/~btwork.mark", mark);
  const std::string stuck = folder_.Write("~btwork-halfway1/a.cfg", "");
  if (std::system(("chattr +i '" + stuck + "' 2>/dev/null").c_str()) == 0) {
    brantel::RemoveLeftWorkFolders(folder_.path());
    EXPECT_TRUE(folder_.Exists("~btwork-halfway1/~btwork.mark"));
    EXPECT_EQ(std::system(("chattr -i '" + stuck + "'").c_str()), 0);
    brantel::RemoveLeftWorkFolders(folder_.path());
    EXPECT_FALSE(folder_.Exists("~btwork-halfway1"));
  }
#endif
}

enum Change { kNone, kMameSize, kMameTime, kMameVersion, kOtherMame, kRecordCut, kListFormat, kNoRecord, kNoList,
              kListEdited, kAskedAnew, kRecordFifo, kRecordHuge, kChanges };

class ChangeTest : public ReuseTest, public ::testing::WithParamInterface<int> {
 protected:
  void Make(int change) {
    const std::string mame = folder_.path() + "/mame/mame";
    const fs::file_time_type mame_time = fs::last_write_time(mame);
    if (change == kMameSize) folder_.Write("mame/mame", folder_.Read("mame/mame") + "#\n");
    if (change == kMameSize || change == kMameTime) {
      fs::last_write_time(mame, mame_time - std::chrono::seconds(change == kMameTime));
    }
    if (change == kMameVersion) {  // the same size
      std::string listxml = kListXml;
      InstallFakeMame("mame", listxml.replace(listxml.find("0.251"), 5, "0.252"));
    }
    if (change == kOtherMame) {  // the same program elsewhere, its runs noted with the first one's
      fs::copy_file(mame, mame + "2");
      fs::copy_file(mame + ".xml", mame + "2.xml");
      fs::create_symlink(mame + ".args", mame + "2.args");
      WriteSettings(MameFolder(), "mame2");
    }
    if (change == kRecordCut) folder_.Write(kSourceRecord, record_.substr(0, record_.size() - 3));
    if (change == kListFormat) folder_.Write(kSourceRecord, record_.replace(record_.find("format 1"), 8, "format 0"));
    if (change == kNoRecord || change == kRecordFifo) fs::remove(folder_.path() + "/" + kSourceRecord);
#ifndef _WIN32  // a FIFO is never opened: it would wait for a writer for ever
    if (change == kRecordFifo) { ASSERT_EQ(::mkfifo((folder_.path() + "/" + kSourceRecord).c_str(), 0600), 0); }
#endif
    // Read no further than a record can be long: a version of a megabyte.
    if (change == kRecordHuge) {
      folder_.Write(kSourceRecord, record_.insert(record_.find("-version: ") + 10, 1 << 20, 'v'));
    }
    if (change == kNoList) fs::remove(folder_.path() + "/masterlist.lst");
    if (change == kListEdited) WriteOldMasterList(CrLf({"edited"}));
  }
};

TEST_P(ChangeTest, MakesTheListAnewOnlyAfterAChangeAndThenKeepsIt) {
  Make(GetParam());
  for (const bool anew : {GetParam() != kNone, false}) {
    const bool asked = anew && GetParam() == kAskedAnew;  // by -new, with nothing changed
    const ProgramRun run = RunListgen(asked ? std::vector<std::string>{"-new", "-ctrlr"} : std::vector<std::string>{"-ctrlr"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(FakeMameArguments("mame"), anew ? "-listxml\n" : "") << run.out;
    EXPECT_EQ(MasterList(), kMasterList);
    ForgetFakeMameRuns("mame");
  }
}

INSTANTIATE_TEST_SUITE_P(EachChange, ChangeTest, ::testing::Range(0, int{kChanges}));

// The command line: "-ctrlr" asks for the list, "-s" for silence.
class CommandLineTest : public ListgenTest {
 protected:
  CommandLineTest() { InstallFakeMame("mame", kListXml); }

  void ExpectUsage(const std::vector<std::string>& arguments) {
    const ProgramRun run = RunListgen(arguments);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Usage: listgen"), std::string::npos) << run.err;
    EXPECT_FALSE(folder_.Exists("masterlist.lst"));
    EXPECT_FALSE(folder_.Exists("mame/mame.args")) << "MAME must not be started";
  }
};

TEST_F(CommandLineTest, SilentRunPrintsNothing) {
  const ProgramRun run = RunListgen({"-s", "-ctrlr"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(MasterList(), kMasterList);
}

TEST_F(CommandLineTest, WithoutSilenceItTellsHowManyMachinesItWrote) {
  const ProgramRun run = RunListgen({"-ctrlr"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("8 machines"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "");
}

TEST_F(CommandLineTest, SilenceKeepsErrorsOnStandardError) {
  WriteSettings(MameFolder() + "\\", "missing");
  const ProgramRun run = RunListgen({"-ctrlr", "-s"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("missing"), std::string::npos) << run.err;
}

TEST_F(CommandLineTest, UsageWithoutTheListOption) {
  ExpectUsage({});
  ExpectUsage({"-s"});
}

TEST_F(CommandLineTest, UsageForAnUnknownOption) {
  ExpectUsage({"-s", "-ctrlr", "-x"});
  ExpectUsage({"-CTRLR"});
  ExpectUsage({"ctrlr"});
  ExpectUsage({"-ctrlr", "-mame"});
  ExpectUsage({"-ctrlr", "-mame", ""});
}

}  // namespace
}  // namespace listgen::test_support
