// Folder operations on POSIX hosts: paths are used as given ("\" is an
// ordinary character of a name; only typed texts pass HostPath), names are
// compared exactly, and there are no drive letters.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {

std::string HostPath(const std::string& typed) {
  std::string host = typed;
  std::replace(host.begin(), host.end(), '\\', '/');
  return host;
}

std::string HostFolderName(const std::string& typed) { return typed; }

std::string ProgramFolder() {
  std::string buffer(PATH_MAX, '\0');
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) throw IoError("Could not find the program folder of", "/proc/self/exe", SystemReason(errno));
  buffer.resize(static_cast<size_t>(length));
  size_t slash = buffer.rfind('/');
  return slash == 0 ? "/" : buffer.substr(0, slash);
}

bool FolderExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FileNameIfPresent(const std::string& path) {
  const std::string& host = path;
  struct stat info;
  if (stat(host.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return "";
  return host.substr(host.rfind('/') + 1);
}

void RemoveFile(const std::string& path) {
  if (unlink(path.c_str()) != 0) throw IoError("Could not delete", path, SystemReason(errno));
}

void RenameOver(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    throw IoError("Could not replace", to, SystemReason(errno));
  }
}

void ChangeDriveAndDirectory(const std::string& folder) {
  if (chdir(folder.c_str()) != 0) {
    throw IoError("Could not change to the folder", folder, SystemReason(errno));
  }
}

std::string CurrentDirectory() {
  std::string buffer(PATH_MAX, '\0');
  if (getcwd(buffer.data(), buffer.size()) == nullptr) {
    throw IoError("Could not read the current folder", ".", SystemReason(errno));
  }
  buffer.resize(buffer.find('\0'));
  return buffer;
}

std::string FullFolderPath(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path full = fs::absolute(fs::path(folder), error).lexically_normal();
  if (error) throw IoError("Could not find the folder", folder, error.message());
  std::string text = full.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::vector<std::string> OrdinaryFileNames(const std::string& folder, std::vector<UnusableFile>* /*unusable*/) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code type_error;
    std::string name = it->path().filename().string();
    // Names beginning with "." are the hidden files here.
    if (name[0] != '.' && it->is_regular_file(type_error)) names.push_back(std::move(name));
  }
  if (error) throw IoError("Could not list the folder", folder, error.message());
  return names;
}

bool IsDeviceName(const std::string& /*name*/) { return false; }

}  // namespace brantel
