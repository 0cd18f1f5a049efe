#include "tools/listgen/master_list_record.h"

#include <string_view>

#include "engine/master_list_record.h"

namespace listgen {
namespace {

// MAME matches a controller file's source-file section by the bare name.
std::string_view WithoutFolder(std::string_view source_file) {
  const auto slash = source_file.find_last_of("/\\");
  return slash == std::string_view::npos ? source_file : source_file.substr(slash + 1);
}

// A clone names its parent; every other machine is its own parent, which is
// what makes the classification call it a parent.
std::string_view Parent(const Machine& machine) {
  return machine.clone_of.empty() ? machine.name : machine.clone_of;
}

std::string Flags(const Machine& machine) {
  std::string flags;
  auto add = [&flags](bool set, const char* flag) {
    if (!set) return;
    if (!flags.empty()) flags += ',';
    flags += flag;
  };
  add(machine.is_bios, "bios");
  add(machine.is_device, "device");
  add(machine.is_mechanical, "mechanical");
  add(!machine.runnable, "notrunnable");
  return flags;
}

// Only a game one can play gets a player count; the empty field keeps BIOS
// sets, devices and machines that do not run among the general entries.
std::string Players(const Machine& machine) {
  if (machine.is_bios || machine.is_device || !machine.runnable) return "";
  std::string digits;
  // Some builds print numbers in the locale's form; the digits are the count.
  for (char c : machine.players) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits.empty() ? "0" : digits;
}

}  // namespace

void AppendMasterListRecord(const Machine& machine, std::string& out) {
  const std::string flags = Flags(machine);
  const std::string players = Players(machine);
  brantel::master_list::AppendRecord({machine.name, machine.description, machine.year, machine.manufacturer,
                                      Parent(machine), brantel::master_list::kMame,
                                      WithoutFolder(machine.source_file), machine.rom_of, flags, players},
                                     out);
}

}  // namespace listgen
