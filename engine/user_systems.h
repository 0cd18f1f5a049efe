// The `system` elements of the user's own cfg files, each to be written where
// its own name puts it: among the sections of its group in the order of their
// names, right after the translated section of the same name, so that in MAME
// the user's own sequence wins. Their bytes are those SplitUserCfg made from
// its one parse of each file, kept in UserSystemBytes; memory holds only each
// one's name and place there.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/io/line_file.h"
#include "engine/master_list.h"

namespace brantel {

// -1, 0 or 1 as section `a` comes before, with or after section `b`:
// translated sections are written in the order their files are listed, by
// name and extension without regard to case, so a name is compared as if a
// "." followed it.
int CompareSectionNames(std::string_view a, std::string_view b);

// The systems' bytes, as SplitUserCfg prints them: held in memory while they
// are few, moved into a private scratch file beside the combined file
// (CreateScratchFile) once they outgrow that. Either way the combined file
// gets the very bytes that were parsed, however the cfg files change
// meanwhile, and no file of the user's is read twice.
class UserSystemBytes : public LinePrinter {
 public:
  static constexpr size_t kHeldInMemory = size_t{8} << 20;

  explicit UserSystemBytes(const std::string& combined_file, size_t held_in_memory = kHeldInMemory);

  // How many bytes have been printed.
  std::uint64_t size() const { return size_; }
  // The bytes at `offset`, valid until the next call. Throws IoError when
  // the scratch file cannot be read.
  std::string_view Read(std::uint64_t offset, std::uint64_t size);

 protected:
  void Write(std::string_view bytes) override;

 private:
  void WriteToScratch();
  void ReadPiece(std::uint64_t offset, std::uint64_t size);

  size_t held_in_memory_;
  std::string memory_;  // all the bytes, or those the scratch file has yet to get
  FileHandle scratch_;
  std::uint64_t size_ = 0;
  // The piece of the scratch file read last. Systems in name order lie there
  // in any order: each is read with the piece of file around it, which serves
  // its neighbours too.
  std::uint64_t piece_offset_ = 0;
  std::string piece_;
};

class UserSystems {
 public:
  // The default section, or the group the master list gives a name.
  enum class Slot { kDefault, kDriver, kParent, kRom };
  static Slot SlotOf(Group group);

  // `offset` and `size` place its bytes in UserSystemBytes.
  void Add(Slot slot, std::string_view name, std::uint64_t offset, std::uint64_t size);
  // Orders each slot by name, keeping the order of adding among equal names.
  void Sort();

  size_t Count(Slot slot) const { return order_[Index(slot)].size(); }
  // Of the `index`th system of `slot`, after Sort.
  std::string_view Name(Slot slot, size_t index) const;
  struct Place {
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
  };
  static size_t Index(Slot slot) { return static_cast<size_t>(slot); }
  std::string_view NameOf(const Entry& entry) const { return {names_.data() + entry.name_at, entry.name_size}; }

  std::vector<Entry> entries_;
  std::string names_;
  std::array<std::vector<std::uint32_t>, 4> order_;  // indexes into entries_
};

}  // namespace brantel
