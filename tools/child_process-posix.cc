#include "tools/child_process-posix.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "engine/io/owned_descriptor-posix.h"

extern char** environ;

namespace brantel {
namespace {

// Between fork and exec only calls that are safe in a copy of a process
// with several threads: no memory is allocated.
[[noreturn]] void BecomeProgram(const char* program, char* const argv[], const ChildSetup& setup, pid_t parent,
                                int report) {
  if (setup.own_process_group) ::setpgid(0, 0);
  if (setup.standard_output >= 0) ::dup2(setup.standard_output, STDOUT_FILENO);
  if (setup.standard_error >= 0) ::dup2(setup.standard_error, STDERR_FILENO);
  // The parent's own handlers would catch the signal before exec.
  struct sigaction default_handling {};
  default_handling.sa_handler = SIG_DFL;
  ::sigemptyset(&default_handling.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &default_handling, nullptr);
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  // The parent may have ended before the line above took effect.
  if (::getppid() != parent) ::_exit(127);
  if (setup.working_folder != nullptr && ::chdir(setup.working_folder) != 0) {
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(report, &error, sizeof error);
    ::_exit(127);
  }
  ::execve(program, argv, environ);
  const int error = errno;
  [[maybe_unused]] const ssize_t written = ::write(report, &error, sizeof error);
  ::_exit(127);
}

}  // namespace

pid_t StartChild(const std::string& program, char* const argv[], const ChildSetup& setup, int& error) {
  // Closed by a successful exec; otherwise it carries the reason.
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    error = errno;
    return -1;
  }
  OwnedDescriptor report_read(ends[0]);
  OwnedDescriptor report_write(ends[1]);
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child < 0) {
    error = errno;
    return -1;
  }
  if (child == 0) BecomeProgram(program.c_str(), argv, setup, parent, report_write.get());
  report_write.Close();
  int reported = 0;
  ssize_t count;
  while ((count = ::read(report_read.get(), &reported, sizeof reported)) < 0 && errno == EINTR) {
  }
  if (count == static_cast<ssize_t>(sizeof reported)) {
    int status;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    error = reported;
    return -1;
  }
  return child;
}

}  // namespace brantel
