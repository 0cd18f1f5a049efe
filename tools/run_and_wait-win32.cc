// Starting an outside program on Windows: kernel32's process start, a wait on
// the process, and the release of both handles. Its standard error comes
// through a pipe of ours, its other standard handles are the caller's.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/io/owned_handle-win32.h"
#include "engine/io/wide_path.h"
#include "tools/kept_output.h"
#include "tools/run_and_wait.h"

namespace brantel {
namespace {

struct Handle {
  HANDLE value = nullptr;
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  void Close() {
    if (value != nullptr && value != INVALID_HANDLE_VALUE) CloseHandle(value);
    value = nullptr;
  }
};

// Takes what the pipe holds now.
void Drain(HANDLE pipe, const KeptOutput& kept) {
  if (pipe == nullptr) return;
  DWORD available = 0;
  char buffer[4096];
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    DWORD count = 0;
    if (!ReadFile(pipe, buffer, sizeof buffer < available ? sizeof buffer : available, &count, nullptr) || count == 0) {
      return;
    }
    kept.Add(buffer, count);
  }
}

// A pipe whose writing end the program inherits.
bool OpenPipe(Handle& ours, Handle& theirs) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (!CreatePipe(&ours.value, &theirs.value, &inheritable, 0)) return false;
  SetHandleInformation(ours.value, HANDLE_FLAG_INHERIT, 0);
  return true;
}

// A job whose processes the system ends when its last handle closes: when
// this process ends, however it ends, nothing it started runs on.
HANDLE NewJob() {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job == nullptr) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

// Ends the program, and the programs it started (the list generator starts
// MAME), when the caller gives up waiting: they run in a job of their own.
struct RunningProgram {
  PROCESS_INFORMATION process{};
  HANDLE job = NewJob();
  bool in_job = false;
  bool ended = false;

  RunningProgram() = default;
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // The program was started suspended, so that it starts nothing outside the
  // job. A job refused (an older system, a job that forbids nesting) only
  // leaves the programs it starts running on.
  void Resume() {
    in_job = job != nullptr && AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
  }

  ~RunningProgram() {
    if (process.hProcess != nullptr) {
      if (!ended) {
        if (!in_job || !TerminateJobObject(job, 1)) TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
      }
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
    if (job != nullptr) CloseHandle(job);
  }
};

}  // namespace

// A program that crashed ends with the exception's code, a large number that
// means nothing to a user as a decimal.
std::string ExitCodeDescription(unsigned long code) {
  if (code < 0xC0000000u) return "ended with exit status " + std::to_string(code);
  static const struct {
    unsigned long code;
    const char* name;
  } kKnown[] = {
      {0xC0000005u, "access violation"},        {0xC000001Du, "illegal instruction"},
      {0xC0000094u, "integer division by zero"}, {0xC00000FDu, "stack overflow"},
      {0xC000013Au, "ended by Ctrl+C"},          {0xC0000135u, "a DLL it needs was not found"},
      {0xC0000142u, "a DLL failed to start"},    {0xC0000374u, "heap corruption"},
      {0xC0000409u, "stack buffer overrun"},
  };
  char text[64];
  std::snprintf(text, sizeof text, "0x%08lX", code);
  std::string said = std::string("ended with exception ") + text;
  for (const auto& known : kKnown) {
    if (known.code == code) said += std::string(" (") + known.name + ")";
  }
  return said;
}

// The folder a program is started in, in a form CreateProcessW takes: no
// longer than MAX_PATH, by its short names where its own are longer (Wine
// corrupts its heap on a longer one). Empty when there is no such form.
std::wstring StartingFolder(const std::string& folder) {
  std::wstring wide = WideText(folder);
  if (wide.size() < MAX_PATH - 1) return wide;
  const std::wstring long_form = WidePath(folder);
  std::wstring short_form(long_form.size() + 1, L'\0');
  const DWORD length = GetShortPathNameW(long_form.c_str(), short_form.data(), static_cast<DWORD>(short_form.size()));
  if (length == 0 || length >= short_form.size()) return L"";
  short_form.resize(length);
  if (short_form.rfind(L"\\\\?\\", 0) == 0) short_form.erase(0, 4);
  return short_form.size() < MAX_PATH - 1 ? short_form : L"";
}

ProgramOutcome RunAndWait(const std::string& application, const std::string& command_line, short show_state,
                          const WhileWaiting& while_waiting, size_t kept_output, const std::string& working_folder) {
  ProgramOutcome outcome;
  Handle errors, errors_end, output, output_end;
  if (!OpenPipe(errors, errors_end) || (kept_output > 0 && !OpenPipe(output, output_end))) {
    outcome.description = "could not be started: no pipe for its messages";
    return outcome;
  }

  STARTUPINFOW startup{};
  startup.cb = sizeof(STARTUPINFOW);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = static_cast<WORD>(show_state);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = kept_output > 0 ? output_end.value : GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = errors_end.value;

  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring writable = WideText(command_line);

  // The application name is the file itself, in the form that reaches it
  // however long its path: Windows' own search would run a
  // program of that name from the caller's folder, the system folders or the
  // search path instead. Handles are inherited for the standard handles'
  // sake; every file handle of ours is opened not inheritable.
  RunningProgram running;
  const std::wstring folder = working_folder.empty() ? L"" : StartingFolder(working_folder);
  if (!working_folder.empty() && folder.empty()) {
    outcome.description = "could not be started in \"" + working_folder + "\": the path has " +
                          std::to_string(working_folder.size()) +
                          " characters, more than Windows starts a program in";
    return outcome;
  }
  if (!CreateProcessW(ProgramPath(application).c_str(), writable.data(), nullptr, nullptr, TRUE,
                      NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED, nullptr, folder.empty() ? nullptr : folder.c_str(),
                      &startup, &running.process)) {
    outcome.description = "could not be started from \"" + application + "\" (error " +
                          std::to_string(GetLastError()) + ")";
    return outcome;
  }
  running.Resume();
  outcome.started = true;
  errors_end.Close();
  output_end.Close();
  const KeptOutput kept_errors{outcome.errors, kKeptErrorBytes, true};
  const KeptOutput kept_out{outcome.output, kept_output, false};
  // 50 ms slices keep the caller's calls well within 100 ms of each other.
  while (WaitForSingleObject(running.process.hProcess, 50) == WAIT_TIMEOUT) {
    Drain(errors.value, kept_errors);
    Drain(output.value, kept_out);
    if (while_waiting) while_waiting();
  }
  running.ended = true;
  Drain(errors.value, kept_errors);
  Drain(output.value, kept_out);
  DWORD code = 1;
  GetExitCodeProcess(running.process.hProcess, &code);
  outcome.succeeded = code == 0;
  outcome.description = ExitCodeDescription(code);
  return outcome;
}

}  // namespace brantel
