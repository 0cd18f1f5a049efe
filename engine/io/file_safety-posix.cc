// File safety on POSIX hosts: O_EXCL creation, unlink, realpath and flock on
// the folder itself, so no lock file is ever left in the user's folders.
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "engine/io/file_safety.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {

FileHandle CreateNewFile(const std::string& path, bool& exists) {
  exists = false;
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST) {
      exists = true;
      return nullptr;
    }
    throw IoError("Could not create the file", path, SystemReason(errno));
  }
  // Held until the file is closed: a clean-up leaves a file in use alone.
  flock(fd, LOCK_EX | LOCK_NB);
  FileHandle file(fdopen(fd, "wb"));
  if (!file) {
    int error = errno;
    close(fd);
    throw IoError("Could not create the file", path, SystemReason(error));
  }
  std::setvbuf(file.get(), nullptr, _IONBF, 0);  // see OpenFile
  return file;
}

void RemoveEntryIfPresent(const std::string& path) {
  if (unlink(path.c_str()) != 0 && errno != ENOENT) {
    throw IoError("Could not remove the earlier file", path, SystemReason(errno));
  }
}

namespace {

struct FolderCloser {
  void operator()(DIR* folder) const { closedir(folder); }
};
using OpenFolder = std::unique_ptr<DIR, FolderCloser>;

// Whether a process of the user's other than this one has the file open, as
// a program does that reads it without a lock ("sleep 30 < file"). Told by
// Linux's /proc; where there is none, nothing is known.
bool OpenElsewhere(const struct stat& file) {
  const OpenFolder processes(opendir("/proc"));
  if (!processes) return false;
  const std::string self = std::to_string(getpid());
  while (const dirent* process = readdir(processes.get())) {
    if (!std::isdigit(static_cast<unsigned char>(process->d_name[0])) || process->d_name == self) continue;
    // Other users' processes cannot be looked at, nor can they write here.
    const OpenFolder descriptors(opendir(("/proc/" + std::string(process->d_name) + "/fd").c_str()));
    if (!descriptors) continue;
    while (const dirent* descriptor = readdir(descriptors.get())) {
      struct stat info;
      if (descriptor->d_name[0] != '.' && fstatat(dirfd(descriptors.get()), descriptor->d_name, &info, 0) == 0 &&
          info.st_dev == file.st_dev && info.st_ino == file.st_ino) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool RemoveFileNoOneHolds(const std::string& path) {
  // Non-blocking, so that a FIFO put in its place cannot make the open wait.
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool removed = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                       !OpenElsewhere(info) && unlink(path.c_str()) == 0;
  close(fd);
  return removed;
}

bool CanCreateFilesIn(const std::string& folder) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = JoinPath(folder, NewTemporaryFileName());
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      close(fd);
      RemoveEntryIfPresent(path);
      return true;
    }
    if (errno == EACCES || errno == EPERM || errno == EROFS) return false;
    if (errno != EEXIST) throw IoError("Could not create a test file in the folder", folder, SystemReason(errno));
  }
  throw IoError("Could not create a test file in the folder", folder, SystemReason(EEXIST));
}

std::string RealFolderPath(const std::string& folder) {
  char* real = realpath(folder.c_str(), nullptr);
  if (real == nullptr) throw IoError("Could not find the folder", folder, SystemReason(errno));
  std::string path = real;
  free(real);
  return path;
}

// Closes the folder when the lock goes.
struct FolderLock::Handle {
  explicit Handle(int descriptor) : fd(descriptor) {}
  ~Handle() { close(fd); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  int fd;
};

namespace {

// The folder's descriptor, locked; -1 when `wait` is false and another
// process holds the lock.
int LockFolder(const std::string& folder, bool wait, const std::function<void()>& while_waiting) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw IoError("Could not open the folder", folder, SystemReason(errno));
  int result;
  while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && (errno == EWOULDBLOCK || errno == EINTR)) {
    if (!wait && errno == EWOULDBLOCK) break;
    if (while_waiting) {
      try {
        while_waiting();
      } catch (...) {  // the wait was cancelled
        close(fd);
        throw;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (result != 0) {
    int error = errno;
    close(fd);
    if (!wait && error == EWOULDBLOCK) return -1;
    throw IoError("Could not lock the folder", folder, SystemReason(error));
  }
  return fd;
}

}  // namespace

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& while_waiting)
    : handle_(std::make_unique<Handle>(LockFolder(folder, true, while_waiting))) {}

FolderLock::FolderLock(const std::string& folder, TryOnly) {
  const int fd = LockFolder(folder, false, {});
  if (fd >= 0) handle_ = std::make_unique<Handle>(fd);
}

FolderLock::~FolderLock() = default;

}  // namespace brantel
