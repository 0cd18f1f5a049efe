#include <filesystem>
#include <string>

#include "tests/stand_in_listgen.h"

namespace brantel::test_support {

void InstallStandInListGenerator(const TestFolder& folder, const std::string& program,
                                 const std::string& master_list, int running_seconds) {
  folder.Write(program + "/list generator/prepared.lst", master_list);
  std::string script = folder.Write(program + "/list generator/listgen",
                                    "#!/bin/sh\n"
                                    "sleep " + std::to_string(running_seconds) + "\n"
                                    "echo \"$*\" > ../listgen.ran\n"
                                    "cp prepared.lst ../masterlist.lst\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
}

void InstallStandInMame(const TestFolder& folder, const std::string& mame_folder) {
  const std::string mame = folder.Write(mame_folder + "/mame", "#!/bin/sh\ncase \"$1\" in -showconfig|-listxml) . \"${0%/*}/${1#-}.sh\";; esac\n");
  folder.Write(mame_folder + "/showconfig.sh", "printf 'ctrlrpath ctrlr\\nctrlr\\ninipath .;ini\\n'\n");
  std::filesystem::permissions(mame, std::filesystem::perms::owner_all);
}

}  // namespace brantel::test_support
