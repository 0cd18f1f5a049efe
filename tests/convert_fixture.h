// A MAME folder with an old controller folder, and a program folder with a
// stand-in list generator, for whole conversions; a stand-in MAME program
// in the MAME folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/stand_in_listgen.h"
#include "tests/test_folder.h"

namespace brantel::test_support {

class ConvertFixture : public ::testing::Test {
 protected:
  ConvertFixture() {
    folder_.MakeFolder("mame/ctrlr/old");
    folder_.MakeFolder("program");
    InstallStandInMame(folder_, "mame");
  }

  std::string Program() const { return folder_.path() + "/program"; }
  std::string Mame() const { return folder_.path() + "/mame"; }
  void WriteIni(const std::string& name, const std::string& bytes) const {
    folder_.Write("mame/ctrlr/old/" + name, bytes);
  }
  std::set<std::string> OldFolderNames() const { return NamesIn("mame/ctrlr/old"); }
  std::set<std::string> NamesIn(const std::string& relative) const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path() + "/" + relative)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  TestFolder folder_;
};

}  // namespace brantel::test_support
