// A stand-in for the list generator: a program in the "list generator"
// subfolder of a test program folder that copies a prepared master list to
// ../masterlist.lst and notes its arguments in ../listgen.ran.
#pragma once

#include <string>

#include "tests/test_folder.h"

namespace brantel::test_support {

// Creates `program`/list generator/ with the stand-in; the master list it
// writes holds `master_list`. It runs for `running_seconds` first.
void InstallStandInListGenerator(const TestFolder& folder, const std::string& program,
                                 const std::string& master_list, int running_seconds = 0);

// A program file "mame" (on Windows "mame.exe") in `mame_folder`, so that
// Convert finds a MAME there; the stand-in list generator never starts it.
// On POSIX, asked -showconfig from its folder, it runs showconfig.sh there,
// which prints the settings of a MAME that looks in its own ctrlr folder and
// has no ctrlr set; asked -listxml, it runs listxml.sh there.
void InstallStandInMame(const TestFolder& folder, const std::string& mame_folder);

// A master-list line with the fields that classification reads.
std::string MasterListLine(const std::string& name, const std::string& parent,
                           const std::string& players, const std::string& emulator = "MAME");

}  // namespace brantel::test_support
