/* The bare file-system work that a Convert of a folder needs, written
 * plainly in C as the floor to compare Convert with: read each INI file,
 * write one intermediate file for it (of the size Convert's would have),
 * read them all back into one new file, rename that into place and delete
 * the intermediate files. */
#include "bench/fs_floor.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

enum { kBuffer = 1 << 16, kMaxFiles = 100000 };

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int EndsWithIni(const char* name) {
  size_t length = strlen(name);
  return length > 4 && strcasecmp(name + length - 4, ".ini") == 0;
}

static size_t ReadWhole(const char* path, char* buffer) {
  int fd = open(path, O_RDONLY);
  size_t total = 0;
  ssize_t count;
  if (fd < 0) return 0;
  while ((count = read(fd, buffer + total, kBuffer - total)) > 0) total += (size_t)count;
  close(fd);
  return total;
}

static void WriteNew(const char* path, const char* bytes, size_t size) {
  int fd = open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return;
  if (write(fd, bytes, size) < 0) perror(path);
  close(fd);
}

double FloorMilliseconds(const char* folder, const char* work, double growth) {
  static char buffer[kBuffer * 4];
  static char names[kMaxFiles][64];
  char path[4096], combined[4096], target[4096];
  int count = 0;
  double start = Now();
  DIR* dir = opendir(folder);
  struct dirent* entry;
  if (dir == NULL || mkdir(work, 0777) != 0) return -1;
  while ((entry = readdir(dir)) != NULL && count < kMaxFiles) {
    if (!EndsWithIni(entry->d_name) || strlen(entry->d_name) >= 64) continue;
    size_t size, grown;
    snprintf(path, sizeof path, "%s/%s", folder, entry->d_name);
    size = ReadWhole(path, buffer);
    grown = (size_t)(size * growth);
    if (grown > sizeof buffer) grown = sizeof buffer;
    for (size_t i = size; i < grown; ++i) buffer[i] = ' ';
    snprintf(names[count], 64, "%s", entry->d_name);
    snprintf(path, sizeof path, "%s/%.63s", work, names[count++]);
    WriteNew(path, buffer, grown);
  }
  closedir(dir);
  snprintf(combined, sizeof combined, "%s/combined.tmp", work);
  int out = open(combined, O_WRONLY | O_CREAT | O_EXCL, 0666);
  for (int i = 0; i < count; ++i) {
    snprintf(path, sizeof path, "%s/%.63s", work, names[i]);
    size_t size = ReadWhole(path, buffer);
    if (write(out, buffer, size) < 0) perror(combined);
  }
  fsync(out);
  close(out);
  snprintf(target, sizeof target, "%s.floor.cfg", folder);
  rename(combined, target);
  int parent = open(folder, O_RDONLY | O_DIRECTORY);
  if (parent >= 0) {
    fsync(parent);
    close(parent);
  }
  for (int i = 0; i < count; ++i) {
    snprintf(path, sizeof path, "%s/%.63s", work, names[i]);
    unlink(path);
  }
  rmdir(work);
  double elapsed = Now() - start;
  unlink(target);
  return elapsed;
}
