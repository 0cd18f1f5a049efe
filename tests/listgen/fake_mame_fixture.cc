#include "tests/listgen/fake_mame_fixture.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace listgen::test_support {

namespace fs = std::filesystem;

FakeMameTest::FakeMameTest() {
  folder_.MakeFolder("list generator");
  folder_.MakeFolder("mame");
}

std::string FakeMameTest::MameFolder() const {
  std::string path = folder_.path() + "/mame";
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void FakeMameTest::WriteSettings(const std::string& mame_path, const std::string& executable) {
  folder_.Write("brantel.cfg", brantel::test_support::CrLf({"hotrod", mame_path, executable}));
}

void FakeMameTest::InstallFakeMame(const std::string& name, const std::string& listxml, int exit_status) {
  folder_.Write("mame/" + name + ".xml", listxml);
  const std::string end = exit_status < 0 ? "kill -" + std::to_string(-exit_status) + " $$\n"
                                          : "exit " + std::to_string(exit_status) + "\n";
  const std::string script = folder_.Write("mame/" + name,
                                           "#!/bin/sh\n"
                                           "printf '%s\\n' \"$@\" >> \"$0.args\"\n"
                                           "cat \"$0.xml\"\n" +
                                               end);
  fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
}

std::string FakeMameTest::FakeMameArguments(const std::string& name) const {
  if (!folder_.Exists("mame/" + name + ".args")) return "";
  std::istringstream runs(folder_.Read("mame/" + name + ".args"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(runs, line);) lines.push_back(line + "\n");
  std::sort(lines.begin(), lines.end());
  std::string sorted;
  for (const std::string& line : lines) sorted += line;
  return sorted;
}

void FakeMameTest::ForgetFakeMameRuns(const std::string& name) const {
  fs::remove(folder_.path() + "/mame/" + name + ".args");
}

ProgramRun FakeMameTest::RunListgenAfter(const std::string& setup) {
  return RunProgram(
      "bash", {"-c", setup + "; exec \"$0\" -s -ctrlr", LISTGEN_PROGRAM}, folder_.path() + "/list generator");
}

ProgramRun FakeMameTest::RunListgen(const std::vector<std::string>& arguments) {
  return RunProgram(LISTGEN_PROGRAM, arguments, folder_.path() + "/list generator");
}

std::vector<std::string> FakeMameTest::ProgramFolderFiles() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path())) {
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

int LineCount(const std::string& text) {
  const auto endings = std::count(text.begin(), text.end(), '\n');
  return static_cast<int>(endings) + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

}  // namespace listgen::test_support
