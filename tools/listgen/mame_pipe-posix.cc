#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "engine/io/io_error.h"
#include "engine/io/owned_descriptor-posix.h"
#include "engine/io/stop_request.h"
#include "tools/child_process-posix.h"
#include "tools/listgen/mame_pipe.h"

namespace listgen {
namespace {

// MAME writes its list a few hundred bytes at a time; waking for each piece
// costs both processes more than the parse itself. With a roomy pipe the
// reader can let it fill for a moment after a short read without ever making
// MAME wait.
constexpr std::size_t kRoomyPipe = 1 << 20;
constexpr long kFillPauseNanoseconds = 2'000'000;

void LetThePipeFill() {
  timespec pause{0, kFillPauseNanoseconds};
  ::nanosleep(&pause, nullptr);
}

std::string Describe(int status) {
  if (WIFEXITED(status)) return "ended with exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "was ended by signal " + std::to_string(WTERMSIG(status));
  return "ended abnormally";
}

}  // namespace

struct MameOutput::Process {
  pid_t pid = -1;
  brantel::OwnedDescriptor output;
  bool roomy_pipe = false;
};

MameOutput::MameOutput(const std::string& program, const std::string& argument)
    : program_(program), process_(std::make_unique<Process>()) {
  // Started by a parent that ignores SIGCHLD, we would inherit that, MAME
  // would be reaped unseen and its end could not be waited for.
  struct sigaction default_handling {};
  default_handling.sa_handler = SIG_DFL;
  ::sigemptyset(&default_handling.sa_mask);
  ::sigaction(SIGCHLD, &default_handling, nullptr);
  int ends[2];
  if (::pipe(ends) != 0) throw brantel::IoError("Could not make a pipe for", program, brantel::SystemReason(errno));
  brantel::OwnedDescriptor read_end(ends[0]);
  brantel::OwnedDescriptor write_end(ends[1]);
  // Only MAME's standard output may hold the pipe, or its end never comes.
  ::fcntl(read_end.get(), F_SETFD, FD_CLOEXEC);
  ::fcntl(write_end.get(), F_SETFD, FD_CLOEXEC);
#ifdef F_SETPIPE_SZ
  // A refusal only costs speed.
  process_->roomy_pipe = ::fcntl(write_end.get(), F_SETPIPE_SZ, kRoomyPipe) >= static_cast<int>(kRoomyPipe);
#endif
  std::string argument0 = program;
  std::string argument1 = argument;
  char* argv[] = {argument0.data(), argument1.data(), nullptr};
  // MAME ends with the list generator, however that ends.
  int error = 0;
  process_->pid = brantel::StartChild(program, argv, {write_end.get(), -1, false}, error);
  if (process_->pid < 0) throw brantel::IoError("Could not start", program, brantel::SystemReason(error));
  process_->output = std::move(read_end);
}

MameOutput::~MameOutput() {
  if (process_->pid <= 0) return;
  // Asked to stop: MAME is not waited for to the end of its list.
  if (brantel::StopRequested()) ::kill(process_->pid, SIGTERM);
  Wait();
}

std::size_t MameOutput::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(process_->output.get(), buffer, size);
    if (count >= 0) {
      if (process_->roomy_pipe && count > 0 && static_cast<std::size_t>(count) < size / 4) LetThePipeFill();
      return static_cast<std::size_t>(count);
    }
    if (errno != EINTR) throw brantel::IoError("Could not read the output of", program_, brantel::SystemReason(errno));
    brantel::ThrowIfStopRequested();  // the signal that broke the read off
  }
}

ProgramEnd MameOutput::Wait() {
  // Closing first means a MAME still writing gets a broken pipe and ends.
  process_->output.Close();
  int status = 0;
  pid_t result;
  do {
    result = ::waitpid(process_->pid, &status, 0);
  } while (result < 0 && errno == EINTR);
  process_->pid = -1;
  if (result < 0) return {false, "could not be waited for: " + brantel::SystemReason(errno)};
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0, Describe(status)};
}

}  // namespace listgen
