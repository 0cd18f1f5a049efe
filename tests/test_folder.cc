#include "tests/test_folder.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace brantel::test_support {

namespace fs = std::filesystem;

TestFolder::TestFolder() : start_directory_(fs::current_path()) {
  std::random_device random;
  fs::path base = fs::temp_directory_path() / ("brantel-test-" + std::to_string(random()));
  fs::create_directories(base);
  path_ = base.string();
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  fs::current_path(start_directory_, ignored);  // first: a current folder cannot be removed everywhere
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string TestFolder::Write(const std::string& relative, const std::string& bytes) const {
  fs::path file = fs::path(path_) / relative;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write test file " + file.string());
  return file.string();
}

void SetUserFolders(const std::string& settings, const std::string& cache) {
#ifdef _WIN32
  _putenv_s("APPDATA", settings.c_str());
  _putenv_s("LOCALAPPDATA", cache.c_str());
#else
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  setenv("XDG_CACHE_HOME", cache.c_str(), 1);
#endif
}

std::string TestFolder::MakeFolder(const std::string& relative) const {
  fs::path folder = fs::path(path_) / relative;
  fs::create_directories(folder);
  return folder.string();
}

std::string TestFolder::Read(const std::string& relative) const {
  return ReadFileBytes(fs::path(path_) / relative);
}

bool TestFolder::Exists(const std::string& relative) const {
  return fs::exists(fs::path(path_) / relative);
}

std::string CrLf(std::initializer_list<std::string> lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace brantel::test_support
