// POSIX only: a file descriptor that is closed when its owner goes.
#pragma once

#include <unistd.h>

namespace brantel {

class OwnedDescriptor {
 public:
  explicit OwnedDescriptor(int fd = -1) : fd_(fd) {}
  ~OwnedDescriptor() { Close(); }
  OwnedDescriptor(OwnedDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  OwnedDescriptor& operator=(OwnedDescriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

}  // namespace brantel
