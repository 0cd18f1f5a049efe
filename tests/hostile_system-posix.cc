// Loaded into a program under test (LD_PRELOAD): a system that refuses what
// $BRANTEL_REFUSE names. "threads": no thread starts. "check-memory": the
// parser given a hash salt (the check of the written file) runs out of
// memory. "noreplace": a file system, as FAT, that can neither rename
// without replacing nor link. And a file named $BRANTEL_STUCK that cannot be
// removed.
#include <dlfcn.h>
#include <errno.h>
#include <expat.h>
#include <pthread.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

bool Refuses(const char* what) {
  const char* refused = std::getenv("BRANTEL_REFUSE");
  return refused != nullptr && std::strstr(refused, what) != nullptr;
}

template <typename Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

std::atomic<XML_Parser> check_parser{nullptr};

}  // namespace

extern "C" {

int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*), void* argument) {
  static const auto real = Real<int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*)>("pthread_create");
  return Refuses("threads") ? EAGAIN : real(thread, attributes, start, argument);
}

int XML_SetHashSalt(XML_Parser parser, unsigned long salt) {
  static const auto real = Real<int (*)(XML_Parser, unsigned long)>("XML_SetHashSalt");
  if (Refuses("check-memory")) check_parser = parser;
  return real(parser, salt);
}

enum XML_Status XML_Parse(XML_Parser parser, const char* bytes, int length, int final) {
  static const auto real = Real<XML_Status (*)(XML_Parser, const char*, int, int)>("XML_Parse");
  return parser == check_parser ? XML_STATUS_ERROR : real(parser, bytes, length, final);
}

enum XML_Error XML_GetErrorCode(XML_Parser parser) {
  static const auto real = Real<XML_Error (*)(XML_Parser)>("XML_GetErrorCode");
  return parser == check_parser ? XML_ERROR_NO_MEMORY : real(parser);
}

int renameat2(int from_folder, const char* from, int to_folder, const char* to, unsigned int flags) {
  static const auto real = Real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
  if (flags == 0 || !Refuses("noreplace")) return real(from_folder, from, to_folder, to, flags);
  errno = EINVAL;
  return -1;
}

int link(const char* from, const char* to) {
  static const auto real = Real<int (*)(const char*, const char*)>("link");
  if (!Refuses("noreplace")) return real(from, to);
  errno = EPERM;
  return -1;
}

int unlink(const char* path) {
  static const auto real = Real<int (*)(const char*)>("unlink");
  const char* stuck = std::getenv("BRANTEL_STUCK");
  const char* name = std::strrchr(path, '/');
  if (stuck == nullptr || name == nullptr || std::strcmp(name + 1, stuck) != 0) return real(path);
  errno = EBUSY;
  return -1;
}

}  // extern "C"
