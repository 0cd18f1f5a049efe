// The whole Convert through brantel-convert, with the real list generator on
// the real MAME, judged by MAME itself: it loads the combined controller file
// for pong and reports the input sequences it took from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <iostream>
#include <sstream>

#include <unistd.h>

#include "engine/mame_use.h"
#include "engine/old_options.h"
#include "tests/run_program.h"
#include "tests/mame/real_mame.h"

namespace listgen::test_support {
namespace {

namespace fs = std::filesystem;
using brantel::test_support::CrLf;

// Prints "SEQ|port|field|type|tokens" for every field, then ends MAME. It
// ends through os.exit: ending through manager.machine:exit() makes this MAME
// (0.251) crash now and then while it shuts its Lua engine down, after the
// dump, which would hide the exit status that tells a clean start.
const char* const kDumpScript = R"lua(
for tag, port in pairs(manager.machine.ioport.ports) do
  for name, field in pairs(port.fields) do
    for _, kind in ipairs({"standard", "increment", "decrement"}) do
      print("SEQ|" .. tag .. "|" .. name .. "|" .. kind .. "|" ..
            manager.machine.input:seq_to_tokens(field:input_seq(kind)))
    end
  end
end
print("DUMPED")
io.stdout:flush()
os.exit(0)
)lua";

class CombinedFileInRealMame : public ::testing::Test {
 protected:
  CombinedFileInRealMame() {
    mame_folder_ = folder_.MakeFolder("mame");
    // MAME's folder holds the ctrlr folder and the program, as on Windows.
    fs::create_symlink(RealMame(), fs::path(mame_folder_) / "mame");
    program_folder_ = MakeProgramFolder(folder_, "program", BRANTEL_CONVERT_PROGRAM);
  }

  void WriteIni(const std::string& name, const std::string& bytes) {
    folder_.Write("mame/ctrlr/oldpads/" + name, bytes);
  }

  // `home`, when given, is the HOME both see, with MAME's settings in it.
  ProgramRun Convert(const std::string& home = "") {
    const std::string program = (fs::path(program_folder_) / fs::path(BRANTEL_CONVERT_PROGRAM).filename()).string();
    std::vector<std::string> arguments = {program, "oldpads", mame_folder_, "mame"};
    if (!home.empty()) arguments.insert(arguments.begin(), "HOME=" + home);
    return RunProgram("env", arguments, folder_.path());
  }

  // Runs pong with the combined file; returns MAME's run, and the sequences
  // it reported by "port|field|type". With a `home`, MAME finds the file by
  // the settings there alone.
  ProgramRun RunPong(std::map<std::string, std::string>& sequences, const std::string& home = "") {
    const std::string script = folder_.Write("dump.lua", kDumpScript);
    std::vector<std::string> arguments = {"timeout", "300", RealMame(), "pong", "-video", "none", "-sound", "none",
        "-nothrottle", "-autoboot_script", script, "-autoboot_delay", "0", "-skip_gameinfo", "-cfg_directory",
        folder_.path() + "/cfg", "-nvram_directory", folder_.path() + "/nv"};
    if (home.empty()) {
      arguments.insert(arguments.begin() + 4, {"-noreadconfig", "-ctrlrpath", mame_folder_ + "/ctrlr", "-ctrlr", "oldpads"});
    } else {
      arguments.insert(arguments.begin(), "HOME=" + home);
    }
    const ProgramRun run = RunProgram("env", arguments, folder_.path());
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("SEQ|", 0) != 0) continue;
      const auto last_bar = line.rfind('|');
      sequences[line.substr(4, last_bar - 4)] = line.substr(last_bar + 1);
    }
    return run;
  }

  void UseInMameMakesMameLoadTheFile();
  void ReadOnlyCtrlrFolderConvertsIntoTheUsersOwn();

  brantel::test_support::TestFolder folder_;
  std::string mame_folder_;
  std::string program_folder_;
};

TEST_F(CombinedFileInRealMame, PongGetsTheSequencesItsIniFilesAskedFor) {
  WriteIni("default.ini", CrLf({
                              "[default]",
                              "ctrlrname \"Old pads\"",
                              "# -- general keys ---------------------------------",
                              "COIN1 \"KEYCODE_5\"",
                              "P1_PADDLE \"KEYCODE_A\"",
                              "P1_PADDLE_EXT \"KEYCODE_B\"",
                              "P2_PADDLE \"KEYCODE_J\"",
                              "P2_PADDLE_EXT \"KEYCODE_K\"",
                          }));
  // The driver's own section: unknown to the master list, so it comes
  // before the games and pong's own section wins over it.
  WriteIni("pong.cpp.ini", CrLf({
                               "# -- every game of the pong.cpp driver --",
                               "COIN1 \"KEYCODE_7\"",
                               "P1_PADDLE \"KEYCODE_8\"",
                               "P2_PADDLE \"KEYCODE_U | JOYCODE_1_LEFT\"",
                           }));
  // Old names, a pedal pong does not have, a port type MAME does not know.
  WriteIni("pong.ini", CrLf({
                           "[pong]",
                           "# Pong -- Atari & friends --- caf\xe9 edition ----",
                           "COIN1 \"KEYCODE_0_PAD | KEYCODE_ENTER_PAD\"",
                           "P1_PADDLE \"KEYCODE_C\"",
                           "P1_PADDLE_EXT \"KEYCODE_D\"",
                           "P1_PEDAL \"KEYCODE_LCONTROL\"",
                           "UI_PAN_UP \"KEYCODE_PGUP\"",
                           "SERVICE \"KEYCODE_F3\"",
                       }));
  // The user's own cfg file, as MAME writes one: its pong goes after the
  // translated one, whatever the file's name, so that the user's wins. Its
  // namespace goes along.
  WriteIni("mine.cfg", "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\" xmlns:q=\"urn:q\">\n    <system name=\"pong\">\n"
                       "        <q:mine/><input>\n            <port type=\"SERVICE\">\n"
                       "                <newseq type=\"standard\">KEYCODE_F4</newseq>\n            </port>\n"
                       "        </input>\n    </system>\n</mameconfig>\n");
  WriteIni("puckman.ini", CrLf({"# parent -- & more", "P1_UP \"KEYCODE_UP\"", "P1_DOWN \"KEYCODE_DOWN\""}));
  WriteIni("pacman.ini", CrLf({"# clone of puckman", "P1_UP \"KEYCODE_W\""}));
  WriteIni("neogeo.ini", CrLf({"# BIOS --", "P1_BUTTON1 \"KEYCODE_LCONTROL | JOYCODE_1_BUTTON1\""}));

  const ProgramRun convert = Convert();
  ASSERT_EQ(convert.exit_code, 0) << convert.out << convert.err;
  EXPECT_NE(convert.out.find("Conversion Notes: pong.ini: changed: 2 old names replaced by the current ones: KEYCODE_0_PAD "
                             "by KEYCODE_0PAD, KEYCODE_ENTER_PAD by KEYCODE_ENTERPAD\n"),
            std::string::npos)
      << convert.out;
  EXPECT_NE(convert.out.find("Conversion Notes: pong.ini:7: not applied: MAME 0.251 does not know the port type \"UI_PAN_UP\""),
            std::string::npos)
      << convert.out;
  EXPECT_NE(convert.out.find("\nConversion Complete!: The new controller file is " + mame_folder_ +
                             "/ctrlr/oldpads.cfg\nConversion Complete!: "),
            std::string::npos)
      << convert.out;
  const MasterListLines list = ReadMasterList(program_folder_ + "/masterlist.lst");
  EXPECT_GT(list.lines.size(), 40000u) << "the real list generator did not run on the real MAME";
  const std::string combined = folder_.Read("mame/ctrlr/oldpads.cfg");
  // default, pong.cpp and pong each hold one P1_PADDLE port: the increment
  // and decrement blocks of one file are merged.
  std::size_t paddle_ports = 0;
  for (auto at = combined.find("<port type=\"P1_PADDLE\">"); at != std::string::npos;
       at = combined.find("<port type=\"P1_PADDLE\">", at + 1)) {
    ++paddle_ports;
  }
  EXPECT_EQ(paddle_ports, 3u) << combined;

  std::map<std::string, std::string> sequences;
  const ProgramRun pong = RunPong(sequences);
  EXPECT_EQ(pong.exit_code, 0) << pong.err;
  EXPECT_NE(pong.out.find("DUMPED"), std::string::npos) << pong.out;
  EXPECT_EQ(pong.err.find("Error parsing XML"), std::string::npos) << pong.err << "\n" << combined;
  EXPECT_EQ(pong.err.find("Fatal error"), std::string::npos) << pong.err;
  EXPECT_EQ(pong.err.find("Dropping invalid input token"), std::string::npos) << pong.err;
  EXPECT_EQ(sequences[":IN0|Coin 1|standard"], "KEYCODE_0PAD OR KEYCODE_ENTERPAD");
  EXPECT_EQ(sequences[":IN0|Antenna|standard"], "KEYCODE_F4") << "the user's own cfg wins over pong.ini";
  // The old plain name moved the paddle left, its "_EXT" twin right.
  EXPECT_EQ(sequences[":PADDLE0|Paddle|decrement"], "KEYCODE_C");
  EXPECT_EQ(sequences[":PADDLE0|Paddle|increment"], "KEYCODE_D");
  // A joystick's left, which MAME shows as UNKNOWN while no joystick is attached.
  const std::string& driver = sequences[":PADDLE1|Paddle 2|decrement"];
  EXPECT_EQ(driver.rfind("KEYCODE_U OR JOYCODE_1_", 0), 0u) << "the driver's section wins over default";
  EXPECT_TRUE(driver.ends_with("_LEFT_SWITCH")) << driver;
  EXPECT_EQ(sequences[":PADDLE1|Paddle 2|increment"], "KEYCODE_K") << "default applies where nothing else does";

  // "MAME already uses it" is said only when MAME, started with no option,
  // does: here by the user's own mame.ini.
  const std::string home = folder_.MakeFolder("home");
  folder_.Write("home/.mame/mame.ini", "ctrlrpath " + mame_folder_ + "/ctrlr;/usr/share/games/mame/ctrlr\nctrlr oldpads\n");
  const ProgramRun again = Convert(home);
  EXPECT_NE(again.out.find("Conversion Complete!: MAME already uses it: its ctrlrpath holds " + mame_folder_ +
                           "/ctrlr and its ctrlr names oldpads\n"), std::string::npos) << again.out;
  std::map<std::string, std::string> by_own_settings;
  EXPECT_EQ(RunPong(by_own_settings, home).exit_code, 0);
  EXPECT_EQ(by_own_settings[":IN0|Coin 1|standard"], "KEYCODE_0PAD OR KEYCODE_ENTERPAD");
}

// MAME started as it starts by itself, by its settings in `home` alone, from
// `folder`: whether it loaded the controller file, and its own words.
ProgramRun StartPongAsMameStarts(const std::string& home, const std::string& folder) {
  return RunProgram("env", {"HOME=" + home, "timeout", "300", RealMame(), "pong", "-video", "none", "-sound", "none",
                            "-seconds_to_run", "1"}, folder);
}

bool Loads(const ProgramRun& pong) {
  return pong.exit_code == 0 && pong.err.find("Could not load controller") == std::string::npos;
}

// "MAME already uses it" exactly when MAME loads the file: its ctrlrpath
// read as MAME 0.251 reads it, "~", "${HOME}" and a folder
// relative to MAME's own.
TEST_F(CombinedFileInRealMame, AlreadyUsesItIsSaidExactlyWhenMameLoadsTheFile) {
  WriteIni("pong.ini", CrLf({"COIN1 \"KEYCODE_5\""}));
  const std::string home = folder_.path();  // ~/mame/ctrlr is the ctrlr folder
  for (const std::string path : {"~/mame/ctrlr", "${HOME}/mame/ctrlr", "ctrlr", "~/ctrlr"}) {
    folder_.Write(".mame/mame.ini", "ctrlrpath " + path + "\nctrlr oldpads\n");
    const ProgramRun convert = Convert(home);
    ASSERT_EQ(convert.exit_code, 0) << convert.out << convert.err;
    const bool said = convert.out.find("Conversion Complete!: MAME already uses it") != std::string::npos;
    const ProgramRun pong = StartPongAsMameStarts(home, mame_folder_);
    EXPECT_EQ(said, Loads(pong)) << path << "\n" << convert.out << pong.err;
    EXPECT_EQ(said, path != "~/ctrlr") << path;
  }
  // The list is current from here on: one test saves MAME's long list.
  UseInMameMakesMameLoadTheFile();
  ReadOnlyCtrlrFolderConvertsIntoTheUsersOwn();
}

// --use-in-mame: a mame.ini of the user's own, made from the one MAME read
// until then; MAME then loads the file as it starts by itself.
void CombinedFileInRealMame::UseInMameMakesMameLoadTheFile() {
  const std::string home = folder_.MakeFolder("home");
  const std::string program = (fs::path(program_folder_) / fs::path(BRANTEL_CONVERT_PROGRAM).filename()).string();
  const ProgramRun convert =
      RunProgram("env", {"HOME=" + home, program, "--use-in-mame", "oldpads", mame_folder_, "mame"}, folder_.path());
  ASSERT_EQ(convert.exit_code, 0) << convert.out << convert.err;
  EXPECT_NE(convert.out.find("Conversion Complete!: ctrlrpath " + mame_folder_ + "/ctrlr;"), std::string::npos)
      << convert.out;
  EXPECT_NE(convert.out.find("\nUse it in MAME: MAME now uses it.\nUse it in MAME: These lines are set in " + home +
                             "/.mame/mame.ini:\n"), std::string::npos) << convert.out;
  const ProgramRun shown = RunProgram("env", {"HOME=" + home, RealMame(), "-showconfig"}, folder_.path());
  const std::optional<brantel::MameCtrlrSettings> settings = brantel::ReadShownConfig(shown.out);
  ASSERT_TRUE(settings.has_value()) << shown.out;
  EXPECT_EQ(settings->ctrlrpath.substr(0, settings->ctrlrpath.find(';')), mame_folder_ + "/ctrlr");
  EXPECT_EQ(settings->ctrlr, "oldpads");
  const ProgramRun pong = StartPongAsMameStarts(home, folder_.path());
  EXPECT_TRUE(Loads(pong)) << pong.err;
}

// Debian's layout: the old folder in MAME's read-only ctrlr folder. The new
// file goes to ~/.mame/ctrlr, and one --use-in-mame makes MAME load it.
void CombinedFileInRealMame::ReadOnlyCtrlrFolderConvertsIntoTheUsersOwn() {
  const std::string share = "/usr/share/games/mame/ctrlr";
  if (!fs::is_directory(share)) return;
  folder_.Write("share/oldcab/pong.ini", CrLf({"COIN1 \"KEYCODE_5\""}));
  const std::string home = folder_.MakeFolder("debian-home");
  const std::string program = (fs::path(program_folder_) / fs::path(BRANTEL_CONVERT_PROGRAM).filename()).string();
  // The share made read-only for this run alone, in a mount namespace of its own.
  const std::string script = "mount --bind -o ro \"$1\" " + share + " || exit 99; shift; exec env \"$@\"";
  const ProgramRun convert = RunProgram(
      "unshare", {geteuid() == 0 ? "-m" : "-rm", "sh", "-c", script, "sh", folder_.path() + "/share", "HOME=" + home,
                  "PATH=" + fs::path(RealMame()).parent_path().string() + ":/usr/bin:/bin", program, "--use-in-mame",
                  "oldcab", "/usr/share/games/mame/", "mame"},
      folder_.path());
  if (convert.exit_code == 99 || convert.err.find("unshare:") != std::string::npos) {
    std::cerr << "Debian's layout not tried: no mount namespace here: " << convert.err;
    return;
  }
  ASSERT_EQ(convert.exit_code, 0) << convert.out << convert.err;
  EXPECT_NE(convert.out.find("Conversion Complete!: The new controller file is " + home + "/.mame/ctrlr/oldcab.cfg\n"
                             "Conversion Complete!: It is there as MAME's folder " + share + " cannot be written.\n"),
            std::string::npos) << convert.out;
  EXPECT_NE(convert.out.find("Use it in MAME: MAME now uses it.\n"), std::string::npos) << convert.out;
  EXPECT_FALSE(fs::exists(share + "/oldcab.cfg"));
  EXPECT_EQ(folder_.Read("share/oldcab/pong.ini"), CrLf({"COIN1 \"KEYCODE_5\""}));
  const ProgramRun pong = StartPongAsMameStarts(home, folder_.path());
  EXPECT_TRUE(Loads(pong)) << pong.err;
}

// Old controller files as MAME itself shipped them: LF line ends, key lines
// that move a default from one key to another, options, remarks, values
// without quotes, a pedal's auto release, and a file saved as UTF-16.
TEST_F(CombinedFileInRealMame, OldKeyLinesAndOptionsDoWhatOldMameDid) {
  WriteIni("default.ini", "[hotrod]\nctrlrname \"HotRod\"\nmouse 1\ntrackball_ini mouse\n"
                          "KEYCODE_LEFT\t\"KEYCODE_4_PAD\"\nJOYCODE_1_ANALOG_X \"KEYCODE_F\"\n"
                          "P1_PEDAL_EXT \"KEYCODE_Z\"\nCOIN1 KEYCODE_6 # coin\n");
  // Notepad's "Unicode": UTF-16 LE with its mark and CR LF.
  std::string pong = "\xFF\xFE";
  for (char c : std::string("KEYCODE_RIGHT \"KEYCODE_6_PAD\" # right\r\nP2_PADDLE_EXT KEYCODE_K\r\n")) {
    pong += c;
    pong += '\0';
  }
  WriteIni("pong.ini", pong);
  WriteIni("mouse.ini", "mouse 1\n");

  const ProgramRun convert = Convert();
  ASSERT_EQ(convert.exit_code, 0) << convert.out << convert.err;
  for (const char* note : {"default.ini:3: not applied: option line \"mouse 1\"",
                           "default.ini:7: not applied: P1_PEDAL_EXT left out",
                           "mouse.ini: not applied: named by trackball_ini lines"}) {
    EXPECT_NE(convert.out.find(note), std::string::npos) << note << "\n" << convert.out;
  }
  const std::string combined = folder_.Read("mame/ctrlr/oldpads.cfg");
  EXPECT_EQ(combined.find("PEDAL"), std::string::npos) << combined;

  std::map<std::string, std::string> sequences;
  const ProgramRun run = RunPong(sequences);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err.find("Dropping invalid input token"), std::string::npos) << run.err;
  EXPECT_EQ(sequences[":IN0|Coin 1|standard"], "KEYCODE_6");
  // The key lines moved the defaults: in default's section and in pong's.
  EXPECT_EQ(sequences[":PADDLE0|Paddle|decrement"], "KEYCODE_4PAD");
  EXPECT_EQ(sequences[":PADDLE0|Paddle|increment"], "KEYCODE_6PAD");
  EXPECT_EQ(sequences[":PADDLE0|Paddle|standard"].find("JOYCODE_1_XAXIS"), std::string::npos)
      << sequences[":PADDLE0|Paddle|standard"];
  EXPECT_EQ(sequences[":PADDLE1|Paddle 2|increment"], "KEYCODE_K");
}

// Every option a note sends the user to is one MAME 0.251 has.
TEST(OldOptionsInRealMame, EveryCurrentOptionNamedIsMames) {
  const ProgramRun config = RunProgram(RealMame(), {"-noreadconfig", "-showconfig"}, ".");
  for (const std::string& option : brantel::CurrentOptionNames()) {
    EXPECT_NE(config.out.find("\n" + option + " "), std::string::npos) << option;
  }
  // The completion message reads where MAME looks from this same output.
  const ProgramRun asked = RunProgram(
      RealMame(), {"-noreadconfig", "-ctrlrpath", "$HOME/a b;c", "-ctrlr", "my cab", "-inipath", ".", "-showconfig"}, ".");
  const std::optional<brantel::MameCtrlrSettings> settings = brantel::ReadShownConfig(asked.out);
  ASSERT_TRUE(settings.has_value()) << asked.out;
  EXPECT_EQ(settings->ctrlrpath + "|" + settings->ctrlr + "|" + settings->inipath, "$HOME/a b;c|my cab|.");
}

}  // namespace
}  // namespace listgen::test_support
