// A running MAME whose standard output comes to us through a pipe, so that
// its whole -listxml output (hundreds of megabytes) never touches the disk.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace listgen {

struct ProgramEnd {
  bool succeeded = false;   // ended by itself with exit status 0
  std::string description;  // e.g. "ended with exit status 3"
};

class MameOutput {
 public:
  // Starts `program` with the single argument `argument`, its standard output
  // into our pipe, its standard error and input shared with ours. Throws
  // IoError naming the program when it cannot be started.
  MameOutput(const std::string& program, const std::string& argument);
  // Closes the pipe and waits for the program when Wait() was not called,
  // so no process outlives a failed run.
  ~MameOutput();
  MameOutput(const MameOutput&) = delete;
  MameOutput& operator=(const MameOutput&) = delete;

  // Reads at most `size` bytes of the output; 0 means the output has ended.
  // Throws IoError when the pipe cannot be read.
  std::size_t Read(char* buffer, std::size_t size);

  // Closes the pipe and waits for the program to end.
  ProgramEnd Wait();

 private:
  struct Process;
  std::string program_;
  std::unique_ptr<Process> process_;
};

}  // namespace listgen
