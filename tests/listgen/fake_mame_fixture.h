// A program folder with a "list generator" subfolder and a stand-in MAME: a
// shell script that notes its arguments, prints prepared -listxml output and
// ends with a chosen exit status. So the list generator can be tested
// without MAME.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run_program.h"
#include "tests/test_folder.h"

namespace listgen::test_support {

using brantel::test_support::ProgramRun;
using brantel::test_support::RunProgram;
using brantel::test_support::RunProgramTracingRenames;

class FakeMameTest : public ::testing::Test {
 protected:
  FakeMameTest();

  // The MAME folder in the system's "\" form, without its final "\".
  std::string MameFolder() const;
  // Writes ../brantel.cfg as the Convert command leaves it.
  void WriteSettings(const std::string& mame_path, const std::string& executable);
  // Installs mame/<name>, which prints `listxml` whatever it is asked, ending
  // with `exit_status`; a negative status makes it kill itself with that
  // signal instead.
  void InstallFakeMame(const std::string& name, const std::string& listxml, int exit_status = 0);
  // The arguments of every run of the fake MAME of that name, one per line,
  // sorted, as runs may overlap; empty when it never ran.
  std::string FakeMameArguments(const std::string& name) const;
  void ForgetFakeMameRuns(const std::string& name) const;

  ProgramRun RunListgen(const std::vector<std::string>& arguments = {"-s", "-ctrlr"});
  // Runs "listgen -s -ctrlr" from bash after `setup` (e.g. "trap '' CHLD").
  ProgramRun RunListgenAfter(const std::string& setup);

  std::string MasterList() const { return folder_.Read("masterlist.lst"); }
  void WriteOldMasterList(const std::string& bytes) { folder_.Write("masterlist.lst", bytes); }
  // Every file in the program folder besides the list generator folder.
  std::vector<std::string> ProgramFolderFiles() const;

  brantel::test_support::TestFolder folder_;
};

// The number of lines in `text`, counting a last line without an ending.
int LineCount(const std::string& text);

}  // namespace listgen::test_support
