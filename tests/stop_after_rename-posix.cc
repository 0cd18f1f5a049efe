// Loaded into a program under test (LD_PRELOAD): a rename onto a path that
// ends in $BRANTEL_STOP_AFTER_RENAME is followed at once by SIGTERM to the
// program itself, the latest moment a stop request can come.
#include <dlfcn.h>
#include <signal.h>

#include <cstdlib>
#include <cstring>

extern "C" int rename(const char* from, const char* to) {
  using Rename = int (*)(const char*, const char*);
  static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
  const int result = real(from, to);
  const char* ending = std::getenv("BRANTEL_STOP_AFTER_RENAME");
  const size_t length = ending == nullptr ? 0 : std::strlen(ending), to_length = std::strlen(to);
  if (result == 0 && length > 0 && to_length >= length && std::strcmp(to + to_length - length, ending) == 0) {
    raise(SIGTERM);
  }
  return result;
}
