// POSIX only: starting a program of ours or MAME as a child that cannot
// outlive this process. However this process ends (killed outright, its
// terminal closed), the system sends the child SIGTERM.
#pragma once

#include <sys/types.h>

#include <string>

namespace brantel {

struct ChildSetup {
  int standard_output = -1;  // the descriptor the child gets as it, or -1 for this process's own
  int standard_error = -1;
  bool own_process_group = false;  // so that it can be ended with what it starts
  const char* working_folder = nullptr;  // its current directory, when not this process's
};

// Starts `program` with `argv` (ending in a null pointer) and this process's
// environment. Returns the child's process id, or -1 with `error` set to the
// errno of the failed start (the program could not be run, for instance).
pid_t StartChild(const std::string& program, char* const argv[], const ChildSetup& setup, int& error);

}  // namespace brantel
