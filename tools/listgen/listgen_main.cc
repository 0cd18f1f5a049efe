// listgen: writes the controller master list masterlist.lst from the
// -listxml output of the MAME that -mame or brantel.cfg names, unless its
// source record shows the list already made from that very MAME. The Convert
// command starts it as "listgen.exe -s -ctrlr" from the "list generator"
// folder, adding -mame when it leaves brantel.cfg as it is; the program
// folder above it decides where the files are (engine/program_files.h).
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "engine/io/command_line.h"
#include "engine/io/stop_request.h"
#include "engine/io/host_path.h"
#include "engine/io/work_folder.h"
#include "engine/program_files.h"
#include "tools/listgen/generate.h"
#include "tools/listgen/mame_program.h"
#include "tools/listgen/mame_settings.h"
#include "tools/listgen/options.h"
#include "tools/listgen/source_record.h"

namespace {

// Failures are reported on one line, whatever the system's text holds.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// The record names MAME by a path that does not depend on the folder the list
// generator runs in.
std::string FullPath(const std::string& program) {
  // A Windows path of "\\" (a share, "\\.\C:\...") is full, and the library
  // would read its first piece as a folder name.
  if (program.rfind("\\\\", 0) == 0) return program;
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(program, error);
  return error ? program : full.lexically_normal().string();
}

int Run(const listgen::Options& options) {
  const brantel::KeptFiles files = brantel::KeptFilesOf("..");
  // What runs that were killed left behind, where this one writes.
  brantel::RemoveLeftWorkFolders(brantel::FolderOfFile(files.master_list));
  brantel::RemoveLeftWorkFolders(brantel::FolderOfFile(files.source_record));
  // A run that was given its MAME never reads brantel.cfg, which may name
  // another MAME (or be no file at all).
  const std::string program = FullPath(options.mame_program.empty()
                                           ? listgen::MameProgram(listgen::ReadMameSettings(files.settings_file))
                                           : options.mame_program);
  if (!options.new_list && listgen::ListIsUpToDate(files.source_record, program, files.master_list)) {
    if (!options.silent) {
      std::cout << files.master_list << " is up to date for " << program << "; -new makes it anew"
                << std::endl;
    }
    return 0;
  }
  // Looked at before MAME runs, so a MAME replaced meanwhile is not taken
  // for the one that made the list.
  const std::optional<listgen::FileStamp> stamp = listgen::StampOf(program);
  listgen::ProgressReport progress;
  if (!options.silent) {
    progress = [](long machines) { std::cout << "Machines read: " << machines << std::endl; };
  }
  const listgen::GeneratedList list = listgen::GenerateMasterList(program, files.master_list, progress);
  if (stamp) {
    listgen::WriteSourceRecord(files.source_record, {program, *stamp, list.build}, files.master_list);
  }
  if (!options.silent) {
    std::cout << "Wrote " << list.machines << " machines to " << files.master_list << std::endl;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<listgen::Options> options;
  try {
    options = listgen::ParseOptions(brantel::CommandLineArguments(argc, argv));
  } catch (const std::exception& error) {
    std::cerr << "listgen: " << OneLine(error.what()) << std::endl;
    return 2;
  }
  if (!options) {
    std::cerr << listgen::UsageText();
    return 2;
  }
  // SIGTERM or Ctrl+C: the list being written is removed and the old one kept.
  brantel::StopOnInterruption();
  try {
    return Run(*options);
  } catch (const std::exception& error) {
    brantel::EndIfStopRequested();
    std::cerr << "listgen: " << OneLine(error.what()) << std::endl;
    return 1;
  }
}
