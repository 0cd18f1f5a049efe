// Runs a program as a user's shell would, in a given current folder or the
// test's own, with no input, and collects its exit code and what it printed.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace brantel::test_support {

struct ProgramRun {
  int exit_code = -1;  // -1 when the program did not end by itself
  std::string out;
  std::string err;
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder = "");

#ifndef _WIN32
// The same under strace. `renames` gets a line for each file that the program
// or one it started renamed: the new name's last part, then " flushed" when
// the file was fsynced before, else " not flushed".
ProgramRun RunProgramTracingRenames(const std::string& program, const std::vector<std::string>& arguments,
                                    const std::string& folder, std::string& renames);

// What the program itself (not the programs it starts) did with files, by
// full path: how often it opened each without creating it, and what files
// and folders it created (a nameless file as "(nameless)"), and how often
// it waited for the disk.
struct FileTrace {
  std::string renames;  // as above
  std::map<std::string, int> opened;
  std::vector<std::string> created;
  int flushes = 0;  // calls that wait for a file's data to reach the disk
};
ProgramRun RunProgramTracingFiles(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::string& folder, FileTrace& trace);
#endif

}  // namespace brantel::test_support
