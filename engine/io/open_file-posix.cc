#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/io/io_error.h"
#include "engine/io/open_file.h"

namespace brantel {

FileHandle OpenFile(const std::string& path, OpenMode mode, const char* what_failed) {
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

bool FlushToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool SeekFile(std::FILE* file, std::uint64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

}  // namespace brantel
