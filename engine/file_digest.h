// The digest that tells whether a file is byte for byte the one the program
// wrote: a size alone misses an edit that keeps it. XXH3-128 (xxHash): not
// made to withstand a forger, which nothing here needs, and fast enough that
// a check of a large file costs little beside reading it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace brantel {

class FileDigest {
 public:
  FileDigest();
  ~FileDigest();
  FileDigest(const FileDigest&) = delete;
  FileDigest& operator=(const FileDigest&) = delete;

  void Add(std::string_view bytes);
  // The digest of every byte added, as 32 lowercase hexadecimal digits.
  std::string HexDigest() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The digest of `bytes` alone.
std::string HexDigestOf(std::string_view bytes);

}  // namespace brantel
