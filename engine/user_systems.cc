#include "engine/user_systems.h"

#include <algorithm>
#include <cerrno>

#include "engine/io/io_error.h"
#include "engine/io/line_file.h"

namespace brantel {
namespace {

unsigned char Folded(char c) {
  return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

constexpr size_t kPieceSize = 1 << 16;

}  // namespace

int CompareSectionNames(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (Folded(a[i]) != Folded(b[i])) return Folded(a[i]) < Folded(b[i]) ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  // The shorter name's "." against the longer one's next character.
  const bool shorter_first = '.' <= Folded(a.size() < b.size() ? b[common] : a[common]);
  return (a.size() < b.size()) == shorter_first ? -1 : 1;
}

UserSystems::Slot UserSystems::SlotOf(Group group) {
  switch (group) {
    case Group::kParent: return Slot::kParent;
    case Group::kRom: return Slot::kRom;
    case Group::kDriver: break;
  }
  return Slot::kDriver;
}

std::uint32_t UserSystems::AddFile(std::string path) {
  files_.push_back(std::move(path));
  return static_cast<std::uint32_t>(files_.size() - 1);
}

void UserSystems::Add(Slot slot, std::uint32_t file, std::string_view name, std::uint64_t offset,
                      std::uint64_t size) {
  order_[Index(slot)].push_back(static_cast<std::uint32_t>(entries_.size()));
  entries_.push_back({offset, size, names_.size(), static_cast<std::uint32_t>(name.size()), file});
  names_.append(name);
}

void UserSystems::Sort() {
  for (std::vector<std::uint32_t>& order : order_) {
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
      const int names = CompareSectionNames(NameOf(entries_[a]), NameOf(entries_[b]));
      return names != 0 ? names < 0 : a < b;
    });
  }
}

std::string_view UserSystems::Name(Slot slot, size_t index) const {
  return NameOf(entries_[order_[Index(slot)][index]]);
}

UserSystems::Place UserSystems::PlaceOf(Slot slot, size_t index) const {
  const Entry& entry = entries_[order_[Index(slot)][index]];
  return {files_[entry.file], entry.offset, entry.size};
}

void UserSystemReader::Print(const UserSystems& systems, UserSystems::Slot slot, size_t index, LinePrinter& out) {
  const UserSystems::Place place = systems.PlaceOf(slot, index);
  const bool in_piece = file_ && place.path == path_ && place.offset >= piece_offset_ &&
                        place.offset + place.size <= piece_offset_ + piece_.size();
  if (!in_piece) ReadPiece(place);
  out.Print(std::string_view(piece_).substr(place.offset - piece_offset_, place.size));
}

void UserSystemReader::ReadPiece(const UserSystems::Place& place) {
  if (!file_ || place.path != path_) {
    piece_.clear();
    file_.reset();
    file_ = OpenFile(place.path, OpenMode::kRead, "Could not open the file for reading");
    path_ = place.path;
  }
  // A system that begins in the last piece read, or right after it, goes on
  // with a run of neighbours: read ahead. Any other is read alone, as one out of name order is
  // likely followed by others from all over the file.
  const bool follows = place.offset >= piece_offset_ && place.offset <= piece_offset_ + piece_.size();
  piece_.resize(follows ? std::max<std::uint64_t>(place.size, kPieceSize) : place.size);
  piece_offset_ = place.offset;
  errno = 0;
  if (!SeekFile(file_.get(), place.offset)) throw IoError("Could not read", path_, SystemReason(errno));
  const size_t length = std::fread(piece_.data(), 1, piece_.size(), file_.get());
  piece_.resize(length);
  if (length < place.size) {
    throw IoError("Could not read", path_, std::ferror(file_.get()) ? SystemReason(errno) : "The file ended early");
  }
}

}  // namespace brantel
