#include "tools/listgen/replacing_file.h"

#include <cerrno>

#include "engine/io/folder.h"
#include "engine/io/io_error.h"

namespace listgen {

ReplacingFile::ReplacingFile(std::string target)
    : target_(std::move(target)), temporary_(target_ + ".tmp"), file_(std::fopen(temporary_.c_str(), "wb")) {
  if (!file_) throw brantel::IoError("Could not create", temporary_, brantel::SystemReason(errno));
  std::setvbuf(file_.get(), nullptr, _IOFBF, 1 << 20);
}

ReplacingFile::~ReplacingFile() {
  if (committed_) return;
  file_.reset();
  std::remove(temporary_.c_str());  // a destructor has nobody left to tell
}

void ReplacingFile::Write(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size()) {
    throw brantel::IoError("Could not write", temporary_, brantel::SystemReason(errno));
  }
}

void ReplacingFile::Commit() {
  if (std::fclose(file_.release()) != 0) {
    throw brantel::IoError("Could not write", temporary_, brantel::SystemReason(errno));
  }
  brantel::RenameOver(temporary_, target_);  // replaces the old list in one step
  committed_ = true;
}

}  // namespace listgen
