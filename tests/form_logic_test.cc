// The main window's behaviour on a window without a toolkit: what the Qt and
// the Win32 window both hand their events to.
#include "ui/form_logic.h"
#include "ui/form_layout.h"
#include "ui/notes_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/convert.h"
#include "engine/old_folders.h"
#include "engine/io/host_path.h"
#include "engine/plain_window.h"
#include "tests/convert_fixture.h"
#include "ui/form_layout.h"

namespace brantel {
namespace {

using namespace test_support;

class FakeForm : public PlainWindow, public FormHost {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void ShowBusy(bool busy) override { this->busy = busy; }
  void ShowCancel(bool shown) override { cancel_shown = shown; }
  void KeepAlive() override {
    ++keep_alive_calls;
    if (while_alive) while_alive();
  }
  void EndProgram() override { messages_before_end.push_back(messages().size()); }
  void ShowOldFolderChoices(const std::vector<std::string>& names) override { choices = names; }
  void ShowFileListLabel(const std::string& text) override { label = text; }

  std::vector<std::string> captions;
  bool busy = false;
  bool cancel_shown = false;
  int keep_alive_calls = 0;
  std::function<void()> while_alive;
  std::vector<size_t> messages_before_end;
  std::vector<std::string> choices;
  std::string label;
};

class FormLogicTest : public ConvertFixture {
 protected:
  FakeForm form_;
  FormLogic logic_{form_, form_, Program()};
};

TEST_F(FormLogicTest, FirstActivationLoadsAndEveryCloseSavesOnce) {
  folder_.Write("program/brantel.cfg", CrLf({" hotrod ", "d:\\mame", "mame64.exe", " 2 "}));
  logic_.Activated();
  form_.SetText3("mame.exe");
  logic_.Activated();
  EXPECT_EQ(form_.Text3(), "mame.exe");
  EXPECT_TRUE(logic_.CloseRequested());
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"hotrod", "d:\\mame" + std::string(1, kHostSeparator), "mame.exe", " 2 "}));
  folder_.Write("program/brantel.cfg", "");
  EXPECT_TRUE(logic_.CloseRequested());  // the toolkit's own close after ours
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), "");
  EXPECT_TRUE(form_.messages().empty());
}

// Without a saved folder name, the one MAME's mame.ini names in its ctrlr
// entry, when it is a folder of INI files; Text1's list offers those
// folders and follows Text2, and so does the folder name until the user
// chooses one. The line above File1 says what it shows.
TEST_F(FormLogicTest, TheFolderNameFromMameIniAndTheFoldersOnOffer) {
  WriteIni("a.ini", "");
  folder_.Write("mame/ctrlr/Beta/b.INI", "");
  folder_.MakeFolder("mame/ctrlr/empty");
  folder_.Write("mame/ctrlr/cfg only/c.cfg", "");
  folder_.Write("other/ctrlr/third/t.ini", "");
  folder_.Write("other/mame.ini", "ctrlr third");
  const struct {
    std::string saved_name;
    std::string mame_ini;
    std::string shown;
  } cases[] = {
      {"", "ctrlr                     old", "old"},
      {"", "# ctrlr Beta\n  ctrlr \"Beta\" # mine\r", "Beta"},
      {"", "ctrlr old\nctrlr Beta", "Beta"},  // the last entry counts, as in MAME
      {"", "ctrlr gone", "hotrod"},
      {"", "ctrlr empty", "hotrod"},
      {"", "ctrlr cfg only", "hotrod"},
      {"", "ctrlrpath old\nctrlr", "hotrod"},
      {"mine", "ctrlr old", "mine"},
  };
  for (const auto& [saved_name, mame_ini, shown] : cases) {
    folder_.Write("mame/mame.ini", mame_ini);
    folder_.Write("program/brantel.cfg", CrLf({saved_name, Mame(), "mame", "0"}));
    FakeForm form;
    FormLogic logic(form, form, Program());
    logic.Activated();
    EXPECT_EQ(form.Text1(), shown) << mame_ini;
    EXPECT_EQ(form.choices, (std::vector<std::string>{"Beta", "old"}));
    EXPECT_EQ(form.label, folder_.Exists("mame/ctrlr/" + shown) ? "INI files in " + JoinPath("ctrlr", shown)
                                                                : "No folder " + shown + " in " + HostPath(Mame() + "\\ctrlr\\"));
    form.SetText2(folder_.path() + "/other");
    logic.FolderTextsTouched();
    EXPECT_EQ(form.choices, std::vector<std::string>{"third"});
    EXPECT_EQ(form.Text1(), "third");
    logic.FolderNameChosen();
    form.SetText2(Mame());
    logic.FolderTextsTouched();
    EXPECT_EQ(form.Text1(), "third");
    EXPECT_EQ(form.label, "No folder third in " + HostPath(Mame() + "\\ctrlr\\"));
    form.SetText2(folder_.path() + "/none");
    logic.FolderTextsTouched();
    EXPECT_EQ(form.label, "No ctrlr folder in " + HostPath(folder_.path() + "/none\\"));
  }
#ifndef _WIN32
  // Debian's MAME reads its mame.ini from ~/.mame.
  folder_.Write("mame/mame.ini", "ctrlr gone");
  folder_.Write("home/.mame/mame.ini", "ctrlr Beta");
  folder_.Write("program/brantel.cfg", CrLf({"", Mame(), "mame", "0"}));
  const std::string home = std::getenv("HOME");
  setenv("HOME", (folder_.path() + "/home").c_str(), 1);
  FakeForm form;
  FormLogic logic(form, form, Program());
  logic.Activated();
  EXPECT_EQ(form.Text1(), "Beta");
  // A mame.ini that is no file, in either place, is passed over at once: a
  // FIFO would block the window for ever, the devices spin or fill memory.
  for (const std::string mame_ini : {"mame/mame.ini", "home/.mame/mame.ini"}) {
    for (const std::string what : {"fifo", "/dev/zero", "/dev/urandom"}) {
      const std::string path = folder_.path() + "/" + mame_ini;
      std::filesystem::remove(path);
      if (what == "fifo") {
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
      } else {
        std::filesystem::create_symlink(what, path);
      }
      FakeForm on_fifo;
      FormLogic fifo_logic(on_fifo, on_fifo, Program());
      fifo_logic.Activated();
      EXPECT_EQ(on_fifo.Text1(), mame_ini[0] == 'm' ? "Beta" : "hotrod") << mame_ini << " " << what;
    }
  }
  setenv("HOME", home.c_str(), 1);
#endif
}

#ifndef _WIN32
// Changes an environment variable for as long as it lives.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() { setenv(name_, old_.c_str(), 1); }

 private:
  const char* name_;
  std::string old_;
};

// With no settings file the texts come from the MAME on the PATH: the
// folder of its ctrlrpath that holds old folders (the user's own first),
// else its first inipath folder; the folder name from mame.ini, else the only
// old folder, else "stormcabinet". Saved settings are never replaced.
TEST_F(FormLogicTest, FirstStartFindsMameOnThePath) {
  const struct {
    std::string showconfig;  // $S is the system's folder; MAME itself puts in $HOME
    std::vector<std::string> files;
    std::string text1, text2, text3;
  } cases[] = {
      {"ctrlrpath $S/ctrlr;\\$HOME/mame/ctrlr\\ninipath \\$HOME/.mame",
       {"sys/ctrlr/a/a.ini", "sys/ctrlr/b/b.ini", "home/mame/ctrlr/mine/m.ini"}, "mine", "home/mame/", "mame"},
      {"ctrlrpath \\$HOME/mame/ctrlr;$S/ctrlr\\ninipath \\$HOME/.mame",
       {"home/mame/ctrlr/cfg/m.cfg", "sys/ctrlr/a/a.ini", "sys/ctrlr/b/b.ini", "home/.mame/mame.ini=ctrlr b"}, "b", "sys/",
       "mame"},
      {"ctrlrpath $S/ctrlr;$S/more\\ninipath \\$HOME/.mame;/etc/mame", {"sys/more/a/a.ini"}, "stormcabinet",
       "home/.mame/", "mame"},
      {"ctrlrpath ctrlr\\ninipath .;ini", {"bin/ctrlr/a/a.ini", "bin/ctrlr/b/b.ini"}, "stormcabinet", "bin/", "mame"},
      {"", {"home/mame/ctrlr/only/o.ini"}, "only", "home/mame/", "mame"},  // MAME does not answer
  };
  int row = 0;
  for (const auto& c : cases) {
    const std::string root = "r" + std::to_string(row++);
    const std::string r = folder_.path() + "/" + root;
    folder_.MakeFolder(root + "/program");
    folder_.MakeFolder(root + "/home");
    for (const std::string& file : c.files) {
      const size_t equals = file.find('=');
      folder_.Write(root + "/" + file.substr(0, equals), equals == std::string::npos ? "" : file.substr(equals + 1));
    }
    const std::string mame = folder_.Write(root + "/bin/mame", "#!/bin/sh\nS=" + r + "/sys\n[ \"$1\" = -showconfig ] && [ -n \"" +
                                                                 c.showconfig + "\" ] && printf \"" + c.showconfig + "\\n\"\n");
    std::filesystem::permissions(mame, std::filesystem::perms::owner_all);
    const ScopedEnv home("HOME", r + "/home");
    const ScopedEnv path("PATH", r + "/bin:" + std::getenv("PATH"));
    FakeForm form;
    FormLogic logic(form, form, r + "/program");
    logic.Activated();
    EXPECT_EQ(form.Text1(), c.text1) << c.showconfig;
    EXPECT_EQ(form.Text2(), r + "/" + c.text2) << c.showconfig;
    EXPECT_EQ(form.Text3(), c.text3) << c.showconfig;
    EXPECT_EQ(form.choices, OldFolderChoices(form.Text2()));
    if (row != 1) continue;
    // A new path brings its only old folder when the name is none there.
    folder_.Write(root + "/two/ctrlr/mine/1.ini", "");
    folder_.Write(root + "/two/ctrlr/z/1.ini", "");
    folder_.Write(root + "/one/ctrlr/single/1.ini", "");
    for (const auto& [mame_path, shown] : {std::pair{"two", "mine"}, {"one", "single"}, {"two", "single"}}) {
      form.SetText2(r + "/" + mame_path + "/");
      logic.FolderTextsTouched();
      EXPECT_EQ(form.Text1(), shown) << mame_path;
    }
    // Saved settings stay, and MAME is not asked.
    FakeForm saved;
    FormLogic saved_logic(saved, saved, r + "/program");
    saved.SetText1("typed");
    saved.SetText2(r + "/one/");
    EXPECT_TRUE(saved_logic.CloseRequested());
    FakeForm again;
    FormLogic again_logic(again, again, r + "/program");
    again_logic.Activated();
    EXPECT_EQ(again.Text1(), "typed");
    EXPECT_EQ(again.Text2(), r + "/one/");
  }
}
#endif

// A folder picked by pointing stays chosen, though the settings were loaded
// and the mame.ini of its MAME path names another.
TEST_F(FormLogicTest, AFolderPointedAtStaysThoughMameIniNamesAnother) {
  folder_.Write("program/brantel.cfg", CrLf({"", Mame(), "mame", "0"}));
  folder_.Write("other/ctrlr/third/t.ini", "");
  folder_.Write("other/ctrlr/fourth/f.ini", "");
  folder_.Write("other/mame.ini", "ctrlr third");
  logic_.Activated();
  logic_.FolderPointedAt(HostPath(folder_.path() + "/other/ctrlr/fourth"));
  EXPECT_EQ(form_.Text1(), "fourth");
  form_.SetText2(Mame());
  logic_.FolderTextsTouched();
  form_.SetText2(folder_.path() + "/other");
  logic_.FolderTextsTouched();
  EXPECT_EQ(form_.Text1(), "fourth");
}

// The first label ends above its box where it can: one that exactly fits
// stays, one a pixel wider moves to the boxes' edge, and only then do they grow.
TEST(LabelFitTest, AtTheBoundary) {
  EXPECT_EQ(FitLabels(240, 120, 1000, 760).label_left, 240);
  EXPECT_EQ(FitLabels(240, 120, 1000, 761).label_left, 120);
  EXPECT_EQ(FitLabels(240, 120, 1000, 881).box_growth, 1);
}

// A folder browsed to or dropped: one inside ctrlr names both texts. A
// program picked names its folder too.
TEST_F(FormLogicTest, AFolderOrProgramPointedAtFillsTheTexts) {
  const std::string mame = HostPath(Mame() + "\\");
  const struct {
    std::string folder, text1, text2;
  } cases[] = {
      {HostPath(Mame() + "\\ctrlr\\old"), "old", mame},
      {HostPath(Mame() + "\\ctrlr\\old\\"), "old", mame},
      {HostPath(Mame()), "stormcabinet", mame},
      {HostPath(Mame() + "\\ctrlr"), "stormcabinet", HostPath(Mame() + "\\ctrlr\\")},
  };
  for (const auto& c : cases) {
    FakeForm form;
    FormLogic logic(form, form, Program());
    logic.FolderPointedAt(c.folder);
    EXPECT_EQ(form.Text1(), c.text1) << c.folder;
    EXPECT_EQ(form.Text2(), c.text2) << c.folder;
    EXPECT_EQ(logic.MameFolder(), c.text2) << c.folder;
    logic.ProgramPointedAt(HostPath(folder_.path() + "/other/mame64.exe"));
    EXPECT_EQ(form.Text2(), HostPath(folder_.path() + "/other\\"));
    EXPECT_EQ(form.Text3(), "mame64.exe");
  }
}

TEST_F(FormLogicTest, AFailedSaveIsShownAndTheWindowStillCloses) {
  // Neither the program folder nor the user's folder can be written to.
  test_support::SetUserFolders(folder_.path() + "/removed/settings", folder_.path() + "/removed/cache");
  FormLogic logic(form_, form_, folder_.path() + "/removed");
  EXPECT_TRUE(logic.CloseRequested());
  ASSERT_EQ(form_.messages().size(), 1u);
  EXPECT_EQ(form_.messages()[0].style, MessageStyle::kCritical);
  EXPECT_NE(form_.messages()[0].prompt.find("removed"), std::string::npos);
}

// While a list generator runs for two seconds the window is kept alive and
// shows the time going by; a second Convert is refused and a close request
// is carried out, with the four settings lines, once Convert is done.
TEST_F(FormLogicTest, AliveDuringTheListGeneratorAndClosedAfterConvert) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pacman", "", "2")}), 2);
  WriteIni("pacman.ini", CrLf({"P1_BUTTON1 \"KEYCODE_LCONTROL\""}));
  folder_.Write("mame/showconfig.sh", "sleep 1; printf 'ctrlrpath ctrlr\\nctrlr\\n'\n");  // MAME slow to answer
  form_.SetText1("old");
  form_.SetText2(Mame());
  form_.SetText3("mame.exe");
  form_.SetCheckBoxValue(1);
  std::vector<bool> refused;
  form_.while_alive = [&] {
    EXPECT_TRUE(form_.busy && form_.cancel_shown);
    logic_.Command1Pressed();
    refused.push_back(logic_.CloseRequested());
  };
  logic_.Command1Pressed();

  EXPECT_GE(form_.keep_alive_calls, 5);
  EXPECT_EQ(std::set<bool>(refused.begin(), refused.end()), std::set<bool>{false});
  const std::set<std::string> captions(form_.captions.begin(), form_.captions.end());
  EXPECT_GE(captions.size(), 3u) << "two or more running times and the plain caption";
  EXPECT_EQ(form_.captions.back(), "brantel Manager");
  EXPECT_FALSE(form_.busy || form_.cancel_shown);
  EXPECT_NE(captions.count("brantel Manager - making the master list, 1 s - closing after Convert"), 0u);
  // Asking MAME about the new file comes after the list: no caption says the list is made then.
  const auto last_running = std::find_if(form_.captions.rbegin(), form_.captions.rend(),
                                         [](const std::string& caption) { return caption.ends_with(" s - closing after Convert"); });
  ASSERT_NE(last_running, form_.captions.rend());
  EXPECT_TRUE(last_running->starts_with("brantel Manager - converting, ")) << *last_running;
  EXPECT_EQ(folder_.Read("program/listgen.ran"), "-s -ctrlr -new\n");  // the box is ticked
  ASSERT_EQ(form_.messages().size(), 1u);
  EXPECT_EQ(form_.messages()[0].title, "Conversion Complete!");
  EXPECT_EQ(form_.messages_before_end, std::vector<size_t>{1});
  // The new list made, the tick is cleared and saved so.
  EXPECT_EQ(form_.CheckBoxValue(), 0);
  EXPECT_EQ(folder_.Read("program/brantel.cfg"), CrLf({"old", HostPath(Mame() + "\\"), "mame.exe", " 0 "}));
  logic_.Command1Pressed();  // nothing runs after the window is gone
  EXPECT_EQ(form_.messages().size(), 1u);
}

// Past the list generator the window is still kept alive, a big INI file's
// reading included, and Cancel stops the conversion with nothing left of it.
TEST_F(FormLogicTest, AliveAndCancelledWhileConverting) {
  InstallStandInListGenerator(folder_, "program", CrLf({MasterListLine("pacman", "", "2")}));
  WriteIni("pacman.ini", std::string(1 << 20, '\n'));
  form_.SetText1("old");
  form_.SetText2(Mame());
  form_.SetText3("mame.exe");
  form_.while_alive = [&] {
    if (form_.captions.back().starts_with("brantel Manager - converting, ")) logic_.CancelPressed();
  };
  logic_.Command1Pressed();
  ASSERT_EQ(form_.messages().size(), 1u);
  EXPECT_EQ(form_.messages()[0].title, kCancelledTitle) << form_.messages()[0].prompt;
  EXPECT_EQ(OldFolderNames(), std::set<std::string>{"pacman.ini"});
  EXPECT_FALSE(folder_.Exists("mame/ctrlr/old.cfg"));
}

// A tick stays when Convert did not complete: no new list was made.
TEST_F(FormLogicTest, TheTickStaysAfterAConvertThatFailed) {
  form_.SetText1("none such");
  form_.SetText2(Mame());
  form_.SetCheckBoxValue(1);
  logic_.Command1Pressed();
  ASSERT_EQ(form_.messages().size(), 1u);
  EXPECT_EQ(form_.CheckBoxValue(), 1);
}

// The notes saved end as the notes do, each line with CR LF; the name
// offered is the folder's.
TEST(NotesFileTest, EndsAsTheNotesDo) {
  const struct {
    std::string notes, bytes;
  } cases[] = {
      {"a\nb", "a\r\nb\r\n"}, {"a\nb\n", "a\r\nb\r\n"}, {"a\r\n\n", "a\r\n\r\n"}, {"\n", "\r\n"}, {"", ""},
  };
  TestFolder folder;
  for (const auto& [notes, bytes] : cases) {
    SaveNotesFile(folder.path() + "/notes.txt", notes);
    EXPECT_EQ(folder.Read("notes.txt"), bytes) << notes;
  }
  EXPECT_EQ(NotesFileName(" \"cab 1\" "), "cab 1 conversion notes.txt");
  EXPECT_EQ(NotesFileName(""), "conversion notes.txt");
}

}  // namespace
}  // namespace brantel
