// The `system` elements of the user's own cfg files, each to be written where
// its own name puts it: among the sections of its group in the order of their
// names, right after the translated section of the same name, so that in MAME
// the user's own sequence wins. Their bytes stay in the files SplitUserCfg
// wrote, one for each cfg file; memory holds only each one's name and place.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/io/open_file.h"
#include "engine/master_list.h"

namespace brantel {

class LinePrinter;

// -1, 0 or 1 as section `a` comes before, with or after section `b`:
// translated sections are written in the order their files are listed, by
// name and extension without regard to case, so a name is compared as if a
// "." followed it.
int CompareSectionNames(std::string_view a, std::string_view b);

class UserSystems {
 public:
  // The default section, or the group the master list gives a name.
  enum class Slot { kDefault, kDriver, kParent, kRom };
  static Slot SlotOf(Group group);

  // Returns the number by which Add names `path`, a file SplitUserCfg wrote.
  std::uint32_t AddFile(std::string path);
  size_t FileCount() const { return files_.size(); }
  void Add(Slot slot, std::uint32_t file, std::string_view name, std::uint64_t offset, std::uint64_t size);
  // Orders each slot by name, keeping the order of adding among equal names.
  void Sort();

  size_t Count(Slot slot) const { return order_[Index(slot)].size(); }
  // Of the `index`th system of `slot`, after Sort.
  std::string_view Name(Slot slot, size_t index) const;
  struct Place {
    const std::string& path;  // the file SplitUserCfg wrote
    std::uint64_t offset;
    std::uint64_t size;
  };
  Place PlaceOf(Slot slot, size_t index) const;

 private:
  struct Entry {
    std::uint64_t offset;
    std::uint64_t size;
    std::uint64_t name_at;  // in names_
    std::uint32_t name_size;
    std::uint32_t file;
  };
  static size_t Index(Slot slot) { return static_cast<size_t>(slot); }
  std::string_view NameOf(const Entry& entry) const { return {names_.data() + entry.name_at, entry.name_size}; }

  std::vector<std::string> files_;
  std::vector<Entry> entries_;
  std::string names_;
  std::array<std::vector<std::uint32_t>, 4> order_;  // indexes into entries_
};

// Reads the systems back for the combined file. Systems in name order lie in
// their files in any order: each is read with the piece of file around it,
// which serves its neighbours too.
class UserSystemReader {
 public:
  // The `index`th system of `slot` printed as one statement. Throws IoError
  // naming its file when that cannot be read.
  void Print(const UserSystems& systems, UserSystems::Slot slot, size_t index, LinePrinter& out);

 private:
  void ReadPiece(const UserSystems::Place& place);

  std::string path_;  // of the file open
  FileHandle file_;
  std::uint64_t piece_offset_ = 0;
  std::string piece_;
};

}  // namespace brantel
