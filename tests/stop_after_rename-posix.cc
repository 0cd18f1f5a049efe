// Loaded into a program under test (LD_PRELOAD): a rename onto a path that
// ends in $BRANTEL_STOP_AFTER_RENAME is followed at once by the signal
// $BRANTEL_STOP_SIGNAL (SIGTERM when unset) to the program itself, the
// latest moment a stop request can come; or, with $BRANTEL_AT_RENAME_RUN
// set, by that shell command, the first time only: another program's
// change in the instant after the rename.
#include <dlfcn.h>
#include <signal.h>

#include <cstdlib>
#include <cstring>

namespace {

void AfterRename(int result, const char* to) {
  static bool ran = false;
  const char* ending = std::getenv("BRANTEL_STOP_AFTER_RENAME");
  const size_t length = ending == nullptr ? 0 : std::strlen(ending), to_length = std::strlen(to);
  if (result != 0 || length == 0 || to_length < length || std::strcmp(to + to_length - length, ending) != 0) return;
  const char* command = std::getenv("BRANTEL_AT_RENAME_RUN");
  const char* signal = std::getenv("BRANTEL_STOP_SIGNAL");
  if (command == nullptr) {
    raise(signal == nullptr ? SIGTERM : std::atoi(signal));
  } else if (!ran) {
    ran = true;
    if (std::system(command) != 0) raise(SIGABRT);
  }
}

}  // namespace

extern "C" int rename(const char* from, const char* to) {
  using Rename = int (*)(const char*, const char*);
  static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
  const int result = real(from, to);
  AfterRename(result, to);
  return result;
}

// The rename that never replaces an entry, as a file is kept aside.
extern "C" int renameat2(int from_folder, const char* from, int to_folder, const char* to, unsigned flags) {
  using Rename = int (*)(int, const char*, int, const char*, unsigned);
  static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "renameat2"));
  const int result = real(from_folder, from, to_folder, to, flags);
  AfterRename(result, to);
  return result;
}
