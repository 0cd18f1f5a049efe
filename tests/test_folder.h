// A temporary folder that lives as long as the test, and small helpers to put
// files into it and read them back byte for byte.
#pragma once

#include <filesystem>
#include <string>

namespace brantel::testing {

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  // The folder's path in the system's own form, without trailing separator.
  const std::string& path() const { return path_; }
  // `relative` uses "/" and may name subfolders, which are created.
  std::string Write(const std::string& relative, const std::string& bytes) const;
  std::string MakeFolder(const std::string& relative) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

 private:
  std::string path_;
};

// Joins lines with CR LF after each, as a line file holds them.
std::string CrLf(std::initializer_list<std::string> lines);

std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace brantel::testing
