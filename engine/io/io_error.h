// Errors of the file and folder operations. Every failure that stops an
// operation is one of these: it names the file (or folder) and carries the
// system's own reason, so a front end can show both to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace brantel {

class IoError : public std::runtime_error {
 public:
  // The message reads: <what failed> "<file>": <reason>, e.g. Could not open
  // the file for reading "C:\mame\ctrlr\a.ini": No such file or directory.
  // The file is kept in the host's form, as the user finds it on disk, with
  // no doubled separator.
  IoError(const std::string& what_failed, std::string file, std::string reason);

  const std::string& file() const { return file_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string file_;
  std::string reason_;
};

// A path as messages show it: with no doubled separator.
std::string DisplayPath(const std::string& path);

// The reason text of the current errno value.
std::string SystemReason(int error_number);

}  // namespace brantel
