#include "engine/user_systems.h"

#include <algorithm>
#include <cerrno>

#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {
namespace {

unsigned char Folded(char c) {
  return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

constexpr size_t kPieceSize = 1 << 16;
// Once the bytes live in the scratch file, they go there in blocks of this size.
constexpr size_t kScratchBlock = 1 << 20;
constexpr const char* kScratchFailed = "Could not keep the systems of your cfg files beside";

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

UserSystemBytes::UserSystemBytes(const std::string& combined_file, size_t held_in_memory)
    : LinePrinter(combined_file, nullptr), held_in_memory_(held_in_memory) {}

void UserSystemBytes::Write(std::string_view bytes) {
  size_ += bytes.size();
  memory_.append(bytes);
  if (memory_.size() >= (scratch_ ? kScratchBlock : held_in_memory_)) WriteToScratch();
}

void UserSystemBytes::WriteToScratch() {
  if (!scratch_) scratch_ = CreateScratchFile(FolderOfFile(path()), path());
  errno = 0;
  if (std::fwrite(memory_.data(), 1, memory_.size(), scratch_.get()) != memory_.size()) {
    throw IoError(kScratchFailed, path(), SystemReason(errno));
  }
  memory_.clear();
}

std::string_view UserSystemBytes::Read(std::uint64_t offset, std::uint64_t size) {
  if (!scratch_) return std::string_view(memory_).substr(offset, size);
  if (!memory_.empty()) WriteToScratch();
  const bool in_piece = offset >= piece_offset_ && offset + size <= piece_offset_ + piece_.size();
  if (!in_piece) ReadPiece(offset, size);
  return std::string_view(piece_).substr(offset - piece_offset_, size);
}

void UserSystemBytes::ReadPiece(std::uint64_t offset, std::uint64_t size) {
  // A system that begins in the last piece read, or right after it, goes on
  // with a run of neighbours: read ahead. Any other is read alone, as one out
  // of name order is likely followed by others from all over the file.
  const bool follows = offset >= piece_offset_ && offset <= piece_offset_ + piece_.size();
  piece_.resize(follows ? std::max<std::uint64_t>(size, kPieceSize) : size);
  piece_offset_ = offset;
  errno = 0;
  if (!SeekFile(scratch_.get(), offset)) throw IoError(kScratchFailed, path(), SystemReason(errno));
  const size_t length = std::fread(piece_.data(), 1, piece_.size(), scratch_.get());
  piece_.resize(length);
  if (length < size) {
    throw IoError(kScratchFailed, path(), std::ferror(scratch_.get()) ? SystemReason(errno) : "The file ended early");
  }
}

UserSystems::Slot UserSystems::SlotOf(Group group) {
  switch (group) {
    case Group::kParent: return Slot::kParent;
    case Group::kRom: return Slot::kRom;
    case Group::kDriver: break;
  }
  return Slot::kDriver;
}

void UserSystems::Add(Slot slot, std::string_view name, std::uint64_t offset, std::uint64_t size) {
  order_[Index(slot)].push_back(static_cast<std::uint32_t>(entries_.size()));
  entries_.push_back({offset, size, names_.size(), static_cast<std::uint32_t>(name.size())});
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
  return {entry.offset, entry.size};
}

}  // namespace brantel
