#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "tests/run_program.h"
#include "tests/shell_quote.h"
#include "tests/test_folder.h"

namespace brantel::test_support {

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder) {
  TestFolder streams;
  const std::string out = streams.path() + "/out";
  const std::string err = streams.path() + "/err";
  std::string command = folder.empty() ? "" : "cd " + ShellQuoted(folder) + " && ";
  command += ShellQuoted(program);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err) + " </dev/null";
  const int status = std::system(command.c_str());
  if (status == -1) throw std::runtime_error("cannot run " + program);
  ProgramRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
  return run;
}

namespace {

std::string LastPart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The first two quoted texts of a traced call: a rename's two names.
std::vector<std::string> QuotedTexts(const std::string& line) {
  std::vector<std::string> texts;
  for (size_t at = line.find('"'); at != std::string::npos && texts.size() < 2; at = line.find('"', at + 1)) {
    const size_t end = line.find('"', at + 1);
    if (end == std::string::npos) break;
    texts.push_back(line.substr(at + 1, end - at - 1));
    at = end;
  }
  return texts;
}

// The file behind the descriptor a traced call returned: "= 3</path>".
std::string ReturnedFile(const std::string& line) {
  const size_t result = line.rfind(") = ");
  if (result == std::string::npos || line[result + 4] == '-') return "";
  const size_t start = line.find('<', result);
  return start == std::string::npos ? "" : line.substr(start + 1, line.rfind('>') - start - 1);
}

void ReadTraceLine(const std::string& line, bool own, std::set<std::string>& flushed, FileTrace& trace) {
  const size_t call = line.find("sync(");
  const size_t start = line.find('<', call);
  if (call != std::string::npos && start != std::string::npos) {
    flushed.insert(LastPart(line.substr(start + 1, line.find('>', start) - start - 1)));
  }
  const std::vector<std::string> names = QuotedTexts(line);
  if (line.find("rename") != std::string::npos && names.size() >= 2) {
    trace.renames += LastPart(names[1]) + (flushed.count(LastPart(names[0])) ? " flushed\n" : " not flushed\n");
  }
  if (!own || names.empty()) return;
  if (line.find("mkdir") != std::string::npos && line.find(") = 0") != std::string::npos) {
    trace.created.push_back(names[0]);
  }
  if (line.find("open") == std::string::npos) return;
  const std::string file = ReturnedFile(line);
  if (line.find("O_TMPFILE") != std::string::npos) {
    if (!file.empty()) trace.created.push_back("(nameless)");
  } else if (line.find("O_CREAT") != std::string::npos) {
    if (!file.empty()) trace.created.push_back(file);
  } else if (!file.empty() && line.find("O_DIRECTORY") == std::string::npos) {
    ++trace.opened[file];
  }
}

}  // namespace

ProgramRun RunProgramTracingFiles(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::string& folder, FileTrace& trace) {
  TestFolder trace_folder;
  const std::string trace_file = trace_folder.path() + "/trace";
  // -y shows the file behind each descriptor; temporary names are unique.
  std::vector<std::string> traced = {
      "-f", "-qq", "-y", "-e", "trace=fsync,fdatasync,rename,renameat,renameat2,open,openat,creat,mkdir,mkdirat",
      "-o", trace_file, program};
  traced.insert(traced.end(), arguments.begin(), arguments.end());
  ProgramRun run = RunProgram("strace", traced, folder);
  std::set<std::string> flushed;
  std::istringstream lines(ReadFileBytes(trace_file));
  std::string own_pid;
  // A call that another thread's call interrupts is cut in two lines, "...
  // <unfinished ...>" and later "PID <... openat resumed>) = 5</path>": put
  // together again, so that its name and its result are read as one.
  const std::string cut = " <unfinished ...>";
  std::map<std::string, std::string> unfinished;
  for (std::string line; std::getline(lines, line);) {
    const std::string pid = line.substr(0, line.find(' '));
    if (own_pid.empty()) own_pid = pid;
    if (line.ends_with(cut)) {
      unfinished[pid] = line.substr(0, line.size() - cut.size());
      continue;
    }
    const size_t resumed = line.find(" resumed>");
    if (const auto start = unfinished.find(pid); start != unfinished.end() && resumed != std::string::npos) {
      // The rest is padded: ")             = 5</path>".
      const std::string rest = line.substr(resumed + 9);
      const size_t result = rest.find(" = ");
      line = start->second + rest.substr(0, rest.find_first_not_of(')')) +
             (result == std::string::npos ? "" : rest.substr(result));
      unfinished.erase(start);
    }
    ReadTraceLine(line, pid == own_pid, flushed, trace);
  }
  return run;
}

ProgramRun RunProgramTracingRenames(const std::string& program, const std::vector<std::string>& arguments,
                                    const std::string& folder, std::string& renames) {
  FileTrace trace;
  ProgramRun run = RunProgramTracingFiles(program, arguments, folder, trace);
  renames = trace.renames;
  return run;
}

}  // namespace brantel::test_support
