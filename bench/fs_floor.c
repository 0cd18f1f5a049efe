/* The physical floor of a Convert of a folder, written plainly in C to
 * compare Convert with: read every INI file and the master list once, write
 * one new file of the combined file's size under a temporary name, fsync it,
 * rename it into place and fsync the folder. */
#include "bench/fs_floor.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

enum { kRead = 1 << 16, kWrite = 1 << 20 };

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int EndsWithIni(const char* name) {
  size_t length = strlen(name);
  return length > 4 && strcasecmp(name + length - 4, ".ini") == 0;
}

/* The output, written in large pieces. */
struct Output {
  int fd;
  size_t used;
  char bytes[kWrite];
};

static void Put(struct Output* out, const char* bytes, size_t size) {
  while (size > 0) {
    size_t room = kWrite - out->used, piece = size < room ? size : room;
    memcpy(out->bytes + out->used, bytes, piece);
    out->used += piece;
    bytes += piece;
    size -= piece;
    if (out->used == kWrite) {
      if (write(out->fd, out->bytes, out->used) < 0) perror("floor");
      out->used = 0;
    }
  }
}

/* Reads the file whole; each piece read goes to `out` `growth` times over
 * when `out` is given. */
static void ReadOnce(const char* path, struct Output* out, double growth) {
  static char buffer[kRead];
  int fd = open(path, O_RDONLY);
  ssize_t count;
  if (fd < 0) return;
  while ((count = read(fd, buffer, kRead)) > 0) {
    if (out == NULL) continue;
    double left = growth * (double)count;
    for (; left >= (double)count; left -= (double)count) Put(out, buffer, (size_t)count);
    Put(out, buffer, (size_t)left);
  }
  close(fd);
}

double FloorMilliseconds(const char* folder, const char* master_list, double growth) {
  static struct Output out;
  char path[4096], temporary[4096], target[4096];
  double start = Now();
  snprintf(temporary, sizeof temporary, "%s.floor.tmp", folder);
  snprintf(target, sizeof target, "%s.floor.cfg", folder);
  out.fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL, 0666);
  out.used = 0;
  if (out.fd < 0) return -1;
  ReadOnce(master_list, NULL, 0);
  DIR* dir = opendir(folder);
  struct dirent* entry;
  while (dir != NULL && (entry = readdir(dir)) != NULL) {
    if (!EndsWithIni(entry->d_name)) continue;
    snprintf(path, sizeof path, "%s/%s", folder, entry->d_name);
    ReadOnce(path, &out, growth);
  }
  if (dir != NULL) closedir(dir);
  if (out.used > 0 && write(out.fd, out.bytes, out.used) < 0) perror(temporary);
  fsync(out.fd);
  close(out.fd);
  rename(temporary, target);
  char* slash = strrchr(target, '/');
  if (slash != NULL) *slash = '\0';
  int parent = open(target, O_RDONLY | O_DIRECTORY);
  if (parent >= 0) {
    fsync(parent);
    close(parent);
  }
  double elapsed = Now() - start;
  snprintf(target, sizeof target, "%s.floor.cfg", folder);
  unlink(target);
  return elapsed;
}
