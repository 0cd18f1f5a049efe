// A file written in full beside its target and put in the target's place only
// when the whole content is there, so a failed run leaves the old file.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace listgen {

class ReplacingFile {
 public:
  // Creates (or empties) the temporary file `target` + ".tmp". Throws
  // IoError naming it when that is not possible.
  explicit ReplacingFile(std::string target);
  // Removes the temporary file unless Commit() succeeded.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Throws IoError naming the temporary file when the write fails.
  void Write(std::string_view text);

  // Closes the temporary file and renames it over the target. Throws IoError
  // when either fails; the target is then unchanged.
  void Commit();

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::string target_;
  std::string temporary_;
  std::unique_ptr<std::FILE, Closer> file_;
  bool committed_ = false;
};

}  // namespace listgen
