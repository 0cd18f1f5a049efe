// listgen: writes the controller master list ../masterlist.lst from the
// -listxml output of the MAME that ../brantel.cfg names. The Convert command
// starts it as "listgen.exe -s -ctrlr" from the "list generator" folder.
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/listgen/generate.h"
#include "tools/listgen/mame_program.h"
#include "tools/listgen/mame_settings.h"
#include "tools/listgen/options.h"

namespace {

// Failures are reported on one line, whatever the system's text holds.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

int Run(const listgen::Options& options) {
  const listgen::MameSettings settings = listgen::ReadMameSettings(listgen::kSettingsFile);
  const std::string program = listgen::MameProgram(settings);
  listgen::ProgressReport progress;
  if (!options.silent) {
    progress = [](long machines) { std::cout << "Machines read: " << machines << std::endl; };
  }
  const long machines = listgen::GenerateMasterList(program, listgen::kMasterListFile, progress);
  if (!options.silent) {
    std::cout << "Wrote " << machines << " machines to " << listgen::kMasterListFile << std::endl;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const auto options = listgen::ParseOptions(arguments);
  if (!options) {
    std::cerr << listgen::UsageText();
    return 2;
  }
  try {
    return Run(*options);
  } catch (const std::exception& error) {
    std::cerr << "listgen: " << OneLine(error.what()) << std::endl;
    return 1;
  }
}
