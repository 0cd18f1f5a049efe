// What the master list needs to know of one machine (or game, in older
// builds) of MAME's -listxml output.
#pragma once

#include <string>

namespace listgen {

struct Machine {
  std::string name;
  std::string description;
  std::string year;
  std::string manufacturer;
  std::string source_file;  // as MAME gives it, folder included
  std::string clone_of;
  std::string rom_of;
  bool is_bios = false;
  bool is_device = false;
  bool is_mechanical = false;
  bool runnable = true;
  bool has_input = false;
  std::string players;  // the players attribute of its input element

  void Clear() { *this = Machine{}; }
};

}  // namespace listgen
