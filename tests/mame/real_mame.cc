#include "tests/mame/real_mame.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "engine/master_list_record.h"
#include "engine/text_rules.h"

namespace listgen::test_support {

namespace fs = std::filesystem;

std::string RealMame() { return BRANTEL_TEST_MAME; }

std::string MakeProgramFolder(const brantel::test_support::TestFolder& folder, const std::string& name,
                              const std::string& extra_program) {
  const fs::path program = folder.MakeFolder(name);
  fs::create_directories(program / "list generator");
  fs::copy_file(LISTGEN_PROGRAM, program / "list generator" / fs::path(LISTGEN_PROGRAM).filename());
  if (!extra_program.empty()) fs::copy_file(extra_program, program / fs::path(extra_program).filename());
  return program.string();
}

std::vector<std::string> ListedMachineNames() {
  struct Closer {
    void operator()(std::FILE* pipe) const { pclose(pipe); }
  };
  const std::string command = "'" + RealMame() + "' -listxml";
  std::unique_ptr<std::FILE, Closer> pipe(popen(command.c_str(), "r"));
  if (!pipe) throw std::runtime_error("cannot run " + command);
  const std::string marker = "<machine name=\"";
  std::vector<std::string> names;
  std::string line;
  char buffer[1 << 16];
  while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
    line = buffer;
    const auto at = line.find(marker);
    if (at == std::string::npos) continue;
    const auto start = at + marker.size();
    names.push_back(line.substr(start, line.find('"', start) - start));
  }
  return names;
}

MasterListLines ReadMasterList(const std::string& path) {
  const std::string bytes = brantel::test_support::ReadFileBytes(path);
  MasterListLines list;
  std::string::size_type start = 0;
  while (start < bytes.size()) {
    auto end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    } else {
      list.every_line_ends_in_cr_lf = false;
    }
    std::vector<std::string> fields = brantel::Split(line, brantel::master_list::kSeparator);
    const std::string name = brantel::master_list::FieldOf(fields, brantel::master_list::kName);
    list.fields_by_name.emplace(name, std::move(fields));
    list.lines.push_back(std::move(line));
    start = end + 1;
  }
  return list;
}

}  // namespace listgen::test_support
