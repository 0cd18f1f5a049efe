#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/open_file.h"

namespace brantel {

FileHandle OpenFile(const std::string& path, OpenMode mode, const char* what_failed) {
  // Any file read may have been swapped for a FIFO or a device since it was
  // listed: only an ordinary file is read.
  if (mode == OpenMode::kRead) return OpenOrdinaryFile(path, what_failed);
  // "e" closes it in programs we start, "x" creates it exclusively; fopen
  // itself asks the system nothing more than the open.
  const char* how = "rbe";
  switch (mode) {
    case OpenMode::kRead: break;
    case OpenMode::kReplace: how = "wbe"; break;
    case OpenMode::kCreateNew: how = "wbxe"; break;
  }
  FileHandle file(std::fopen(path.c_str(), how));
  if (!file) throw IoError(what_failed, path, SystemReason(errno));
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return file;
}

namespace {

// A file that never has a name where the system offers that (Linux's
// O_TMPFILE); otherwise one of the temporary files' names, removed at once.
int OpenNamelessFile(const std::string& folder) {
#ifdef O_TMPFILE
  const int nameless = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (nameless >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return nameless;
#endif
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = JoinPath(folder, "~bt" + RandomNamePart(6) + ".tmp");
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd >= 0) unlink(path.c_str());
    return fd;
  }
  errno = EEXIST;
  return -1;
}

// Why what was opened in place of an ordinary file cannot be read, as a
// listing says it.
std::string WhyNotAFile(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return "It is a folder, not a file";
  if (S_ISFIFO(info.st_mode)) return "It is a named pipe (FIFO), not a file";
  if (S_ISSOCK(info.st_mode)) return "It is a socket, not a file";
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return "It is a device, not a file";
  return "It is not an ordinary file";
}

}  // namespace

FileHandle CreateScratchFile(const std::string& folder, const std::string& target_path) {
  const int fd = OpenNamelessFile(folder);
  if (fd < 0) throw IoError("Could not make room for the user's systems beside", target_path, SystemReason(errno));
  FileHandle file(fdopen(fd, "w+b"));
  if (!file) {
    const int error = errno;
    close(fd);
    throw IoError("Could not make room for the user's systems beside", target_path, SystemReason(error));
  }
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return file;
}

FileHandle OpenOrdinaryFile(const std::string& path, const char* what_failed, bool follow_link) {
  // Without O_NONBLOCK the open of a FIFO waits for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (follow_link ? 0 : O_NOFOLLOW));
  if (fd < 0 && errno == ELOOP && !follow_link) throw IoError(what_failed, path, "It is a link, not an ordinary file");
  if (fd < 0) throw IoError(what_failed, path, SystemReason(errno));
  struct stat info {};
  if (fstat(fd, &info) != 0 || fcntl(fd, F_SETFL, 0) != 0) {
    const int error = errno;
    close(fd);
    throw IoError(what_failed, path, SystemReason(error));
  }
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    throw IoError(what_failed, path, WhyNotAFile(info));
  }
  FileHandle file(fdopen(fd, "rb"));
  if (!file) {
    const int error = errno;
    close(fd);
    throw IoError(what_failed, path, SystemReason(error));
  }
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return file;
}

namespace {

FileState StateOf(const struct stat& info) {
  auto nanoseconds = [](const timespec& time) { return std::int64_t{time.tv_sec} * 1000000000 + time.tv_nsec; };
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

}  // namespace

std::optional<FileState> StateOfOpenFile(std::FILE* file) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0) return std::nullopt;
  return StateOf(info);
}

std::optional<FileState> StateOfEntry(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return std::nullopt;
  return StateOf(info);
}

bool FlushToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool SeekFile(std::FILE* file, std::uint64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

}  // namespace brantel
