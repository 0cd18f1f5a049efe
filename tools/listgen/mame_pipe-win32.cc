#include <windows.h>

#include <string>

#include "engine/io/io_error.h"
#include "engine/io/wide_path.h"
#include "tools/listgen/mame_pipe.h"
#include "tools/run_and_wait.h"

namespace listgen {
namespace {

// Owns one handle.
class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  HANDLE* out() { return &handle_; }
  void Close() {
    if (handle_ != nullptr) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_;
};

}  // namespace

struct MameOutput::Process {
  Handle process;
  Handle output;
};

MameOutput::MameOutput(const std::string& program, const std::string& argument)
    : program_(program), process_(std::make_unique<Process>()) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  Handle write_end;
  if (!::CreatePipe(process_->output.out(), write_end.out(), &inheritable, 1 << 20)) {
    const DWORD error = ::GetLastError();
    throw brantel::IoError("Could not make a pipe for", program, brantel::WindowsReason(error, program));
  }
  // Only MAME's standard output may hold the pipe, or its end never comes.
  ::SetHandleInformation(process_->output.get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end.get();
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);

  // Started by the file's own path, in the form that reaches it however long
  // it is; MAME sees the path as typed in its command line.
  const std::wstring application = brantel::ProgramPath(program);
  std::wstring command_line = L"\"" + brantel::WideText(program) + L"\" " + brantel::WideText(argument);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &started)) {
    std::string reason = brantel::WindowsReason(::GetLastError(), program);
    if (program.size() >= MAX_PATH) {  // Wine starts no such program, even by its short name
      reason = "the path has " + std::to_string(program.size()) +
               " characters, more than Windows starts a program from (" + reason + ")";
    }
    throw brantel::IoError("Could not start", program, reason);
  }
  ::CloseHandle(started.hThread);
  *process_->process.out() = started.hProcess;
}

MameOutput::~MameOutput() {
  if (process_->process.get() != nullptr) Wait();
}

std::size_t MameOutput::Read(char* buffer, std::size_t size) {
  DWORD count = 0;
  if (::ReadFile(process_->output.get(), buffer, static_cast<DWORD>(size), &count, nullptr)) return count;
  const DWORD error = ::GetLastError();
  if (error == ERROR_BROKEN_PIPE) return 0;  // MAME closed its output
  throw brantel::IoError("Could not read the output of", program_, brantel::WindowsReason(error, program_));
}

ProgramEnd MameOutput::Wait() {
  // Closing first means a MAME still writing gets a broken pipe and ends.
  process_->output.Close();
  ::WaitForSingleObject(process_->process.get(), INFINITE);
  DWORD exit_code = 0;
  const BOOL known = ::GetExitCodeProcess(process_->process.get(), &exit_code);
  process_->process.Close();
  if (!known) return {false, "could not be waited for: " + brantel::WindowsReason(::GetLastError(), program_)};
  return {exit_code == 0, brantel::ExitCodeDescription(exit_code)};
}

}  // namespace listgen
