// On Windows the stand-in list generator is a program of its own,
// stand_in_listgen.exe, built beside the test programs; it is installed as
// "list generator\listgen.exe" and copies prepared.lst like the POSIX one.
#include <filesystem>
#include <string>

#include "engine/io/folder.h"
#include "tests/stand_in_listgen.h"

namespace brantel::test_support {

void InstallStandInListGenerator(const TestFolder& folder, const std::string& program,
                                 const std::string& master_list, int running_seconds) {
  namespace fs = std::filesystem;
  folder.Write(program + "/list generator/prepared.lst", master_list);
  folder.Write(program + "/list generator/running-seconds.txt", std::to_string(running_seconds));
  fs::copy_file(fs::path(ProgramFolder()) / "stand_in_listgen.exe",
                fs::path(folder.path()) / program / "list generator" / "listgen.exe",
                fs::copy_options::overwrite_existing);
}

void InstallStandInMame(const TestFolder& folder, const std::string& mame_folder) {
  folder.Write(mame_folder + "/mame.exe", "");
}

}  // namespace brantel::test_support
