// Folder operations on POSIX hosts: paths are used as given ("\" is an
// ordinary character of a name; only typed texts pass HostPath), names are
// compared exactly, and there are no drive letters.
#include <limits.h>
#include <pwd.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return "";
}

std::string HostPath(const std::string& typed) {
  std::string host = typed;
  std::replace(host.begin(), host.end(), '\\', '/');
  if (host == "~") return HomeFolder();
  if (host.starts_with("~/")) {
    std::string home = HomeFolder();
    while (!home.empty() && home.back() == '/') home.pop_back();  // "/" gives no "//"
    host.replace(0, 1, home);
  }
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
  // The new name itself reaches the disk only with its folder.
  const size_t slash = to.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : to.substr(0, slash);
  // Some file systems cannot sync a folder at all; only a failed write counts.
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool failed = fd >= 0 && fsync(fd) != 0 && errno == EIO;
  if (fd >= 0) close(fd);
  if (failed) throw IoError("Could not make sure the disk holds", to, SystemReason(EIO));
}

bool RenameIfFree(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno != EINVAL && errno != ENOSYS) throw IoError("Could not rename", from, SystemReason(errno));
  // A file system that cannot refuse to replace: a second name, then the
  // first one removed.
  if (link(from.c_str(), to.c_str()) == 0) {
    if (unlink(from.c_str()) != 0) throw IoError("Could not rename", from, SystemReason(errno));
    return true;
  }
  if (errno == EEXIST) return false;
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) throw IoError("Could not rename", from, SystemReason(errno));
  // Nor links (FAT, exFAT, some shares): the name is taken by an empty file
  // of our own, made exclusively, and the rename replaces only that.
  const int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0 && errno == EEXIST) return false;
  const char* what_to_do = "; this file system can neither rename a file without replacing another nor link it: "
                           "move the file elsewhere yourself, then try again";
  if (fd < 0) throw IoError("Could not rename", from, SystemReason(errno) + what_to_do);
  close(fd);
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  const int error = errno;
  unlink(to.c_str());
  throw IoError("Could not rename", from, SystemReason(error) + what_to_do);
}

bool EntryExists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

bool CreateNewFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0777) == 0) return true;
  if (errno == EEXIST) return false;
  throw IoError("Could not create the folder", path, SystemReason(errno));
}

void RemoveEmptyFolderIfPresent(const std::string& path) {
  if (rmdir(path.c_str()) != 0 && errno != ENOENT) {
    throw IoError("Could not remove the folder", path, SystemReason(errno));
  }
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0;
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

namespace {

// Why an entry that is no ordinary file, nor a link to one, is left out.
std::string WhyNotAFile(const std::filesystem::directory_entry& entry) {
  namespace fs = std::filesystem;
  std::error_code error;
  const bool link = entry.is_symlink(error);
  const fs::file_status target = entry.status(error);
  const std::string what = link ? "a link to " : "";
  switch (target.type()) {
    case fs::file_type::not_found: return link ? "a link that leads nowhere" : "it is gone";
    case fs::file_type::directory: return what + "a folder, not a file";
    case fs::file_type::fifo: return what + "a named pipe (FIFO), not a file";
    case fs::file_type::socket: return what + "a socket, not a file";
    case fs::file_type::block:
    case fs::file_type::character: return what + "a device, not a file";
    default: return link ? "a link that cannot be followed: " + error.message() : "not an ordinary file";
  }
}

}  // namespace

std::vector<std::string> OrdinaryFileNames(const std::string& folder, std::vector<UnusableFile>* unusable) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code type_error;
    std::string name = it->path().filename().string();
    // Names beginning with "." are the hidden files here.
    if (name[0] == '.') continue;
    if (it->is_regular_file(type_error)) {
      names.push_back(std::move(name));
    } else if (unusable != nullptr) {
      unusable->push_back({std::move(name), WhyNotAFile(*it)});
    }
  }
  if (error) throw IoError("Could not list the folder", folder, error.message());
  return names;
}

std::vector<FolderEntry> FolderEntries(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<FolderEntry> entries;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error)) {
    std::error_code type_error;
    entries.push_back({it->path().filename().string(), it->symlink_status(type_error).type() == fs::file_type::regular});
  }
  if (error) throw IoError("Could not list the folder", folder, error.message());
  return entries;
}

std::vector<std::string> FolderNamesStartingWith(const std::string& folder, const std::string& prefix) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code type_error;
    if (name.rfind(prefix, 0) == 0 && it->is_directory(type_error) && !it->is_symlink(type_error)) {
      names.push_back(std::move(name));
    }
  }
  if (error) throw IoError("Could not list the folder", folder, error.message());
  return names;
}

bool IsDeviceName(const std::string& /*name*/) { return false; }

}  // namespace brantel
