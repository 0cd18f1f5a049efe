// SHA-256 (FIPS 180-4), to tell whether a file is byte for byte the one the
// program wrote: a size alone misses an edit that keeps it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brantel {

class Sha256 {
 public:
  Sha256();
  void Add(std::string_view bytes);
  // The digest as 64 lowercase hexadecimal digits; the object is spent.
  std::string HexDigest();

 private:
  void Blocks(const unsigned char* data, size_t blocks);
  void Block(const unsigned char* block);

  std::array<std::uint32_t, 8> state_;
  std::array<unsigned char, 64> pending_{};
  size_t pending_size_ = 0;
  std::uint64_t total_ = 0;
};

}  // namespace brantel
