#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "engine/io/io_error.h"
#include "engine/io/open_file.h"

namespace brantel {

FileHandle OpenFile(const std::string& path, OpenMode mode, const char* what_failed) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::kRead: flags |= O_RDONLY; break;
    case OpenMode::kReplace: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
    case OpenMode::kCreateNew: flags |= O_WRONLY | O_CREAT | O_EXCL; break;
  }
  int descriptor = open(path.c_str(), flags, 0666);
  if (descriptor < 0) throw IoError(what_failed, path, SystemReason(errno));
  FileHandle file(fdopen(descriptor, mode == OpenMode::kRead ? "rb" : "wb"));
  if (!file) {
    int error = errno;
    close(descriptor);
    throw IoError(what_failed, path, SystemReason(error));
  }
  return file;
}

bool FlushToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

}  // namespace brantel
