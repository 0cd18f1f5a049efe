// A temporary folder that lives as long as the test, and small helpers to put
// files into it and read them back byte for byte. The current directory, which
// Convert changes, is set back to what it was when the folder was made.
#pragma once

#include <filesystem>
#include <string>

namespace brantel::test_support {

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
  std::filesystem::path start_directory_;
  std::string path_;
};

// Joins lines with CR LF after each, as a line file holds them.
std::string CrLf(std::initializer_list<std::string> lines);

std::string ReadFileBytes(const std::filesystem::path& path);

// Points the user's settings and cache folders (used when the program folder
// cannot be written) at these, so no test writes into the real home.
void SetUserFolders(const std::string& settings, const std::string& cache);

}  // namespace brantel::test_support
