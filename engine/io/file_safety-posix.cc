// File safety on POSIX hosts: O_EXCL creation, unlink, realpath and flock on
// the folder itself, so no lock file is ever left in the user's folders.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
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
  FileHandle file(fdopen(fd, "wb"));
  if (!file) {
    int error = errno;
    close(fd);
    throw IoError("Could not create the file", path, SystemReason(error));
  }
  return file;
}

void RemoveEntryIfPresent(const std::string& path) {
  if (unlink(path.c_str()) != 0 && errno != ENOENT) {
    throw IoError("Could not remove the earlier file", path, SystemReason(errno));
  }
}

std::string RealFolderPath(const std::string& folder) {
  char* real = realpath(folder.c_str(), nullptr);
  if (real == nullptr) throw IoError("Could not find the folder", folder, SystemReason(errno));
  std::string path = real;
  free(real);
  return path;
}

// Closes the folder when it goes, also when the wait for it was cancelled.
struct FolderLock::Handle {
  explicit Handle(int descriptor) : fd(descriptor) {}
  ~Handle() { close(fd); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  int fd;
};

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& while_waiting) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw IoError("Could not open the folder", folder, SystemReason(errno));
  handle_ = std::make_unique<Handle>(fd);
  int result;
  while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && (errno == EWOULDBLOCK || errno == EINTR)) {
    if (while_waiting) while_waiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (result != 0) throw IoError("Could not lock the folder", folder, SystemReason(errno));
}

FolderLock::~FolderLock() = default;

}  // namespace brantel
