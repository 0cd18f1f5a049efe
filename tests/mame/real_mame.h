// The installed MAME that judges the list generator and the combined
// controller file. Its tests need no network and no ROM files.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/run_program.h"
#include "tests/test_folder.h"

namespace listgen::test_support {

using brantel::test_support::ProgramRun;
using brantel::test_support::RunProgram;

// The MAME program these tests run.
std::string RealMame();

// A program folder inside `folder` (subfolder `name`) holding the list
// generator, and `extra_program` beside it when not empty. Returns its path.
std::string MakeProgramFolder(const brantel::test_support::TestFolder& folder, const std::string& name,
                              const std::string& extra_program = "");

// The names of every <machine> element of `mame -listxml`, found by plain
// text search so that they do not depend on the parser under test.
std::vector<std::string> ListedMachineNames();

// A master list split into lines (CR LF removed) and the fields of each.
struct MasterListLines {
  std::vector<std::string> lines;
  std::map<std::string, std::vector<std::string>> fields_by_name;
  bool every_line_ends_in_cr_lf = true;
};
MasterListLines ReadMasterList(const std::string& path);

}  // namespace listgen::test_support
