// What the master list was made from, kept beside the list: the
// MAME program (full path, size, modification time, -version text), the
// format of the list's lines, and the size and modification time of the
// list as written. While the record still fits MAME and the list, the list is
// up to date and MAME need not be asked again; the user forces a new list by
// deleting masterlist.lst.
#pragma once

#include <optional>
#include <string>

namespace listgen {

// Size and modification time of a file, as the file system reports them.
struct FileStamp {
  unsigned long long size = 0;
  long long modified = 0;  // nanoseconds since 1970
};

// Nothing when `path` names no ordinary file (links followed) or cannot be
// looked at.
std::optional<FileStamp> StampOf(const std::string& path);

struct ListSource {
  std::string mame_program;  // full path
  FileStamp mame;
  std::string version;  // MAME's -version text, on one line
};

// True when the record says that the list at `list_file` is the one this
// list generator made from `mame_program` as it is now. A missing, unreadable
// or damaged record, a missing list or any difference gives false.
bool ListIsUpToDate(const std::string& record_file, const std::string& mame_program,
                    const std::string& list_file);

// Records that the list now at `list_file` was made from `source`, replacing
// the record in one step. Throws IoError when the record cannot be written.
void WriteSourceRecord(const std::string& record_file, const ListSource& source,
                       const std::string& list_file);

}  // namespace listgen
