// The files the system keeps, and where: beside the program while its folder
// can be written (a portable copy keeps everything with it), otherwise in the
// user's own folders (the program installed under "C:\Program Files" or by a
// package). Convert, both windows and the list generator ask here.
#pragma once

#include <string>
#include <vector>

#include "engine/io/host_path.h"

namespace brantel {

// The master list's name, wherever it is kept.
inline constexpr const char* kMasterListName = "masterlist.lst";

struct KeptFiles {
  std::string settings_file;  // brantel.cfg
  std::string master_list;    // masterlist.lst
  std::string source_record;  // masterlist.source: what the master list was made from
  std::string written_record;  // combined.lst: the combined files Convert wrote (see earlier_output.h)
};

// In the program folder: brantel.cfg, combined.lst, masterlist.lst, and the
// record in the list generator's folder. Otherwise brantel.cfg and
// combined.lst in UserSettingsFolder() and the other two in UserCacheFolder(), each under "brantel", made when
// missing. Throws IoError when those folders cannot be found or made.
KeptFiles KeptFilesOf(const std::string& program_folder);

// The folders that hold `files`, each once, always in one order: whatever
// shares a file takes that folder's lock (the user's own folders when the
// program is installed, the program folder of a portable copy), so runs that
// share no file never wait for each other, and two runs never each hold one
// lock and wait for the other.
std::vector<std::string> KeptFilesFolders(const KeptFiles& files);

// The same places, without making any folder: for telling the user where
// the files are. Throws IoError when the user's folders cannot be found.
KeptFiles WhereFilesAreKept(const std::string& program_folder);

// A program copied out of a zip on its own (Explorer runs it so from inside
// the zip) has no list generator beside it. Throws IoError, asking for all
// files to be extracted first, when the list generator's folder is missing.
void CheckProgramFolderIsWhole(const std::string& program_folder);

inline std::string ListGeneratorFolder(const std::string& program_folder) {
  return JoinPath(program_folder, "list generator");
}
inline std::string ListGeneratorProgram(const std::string& program_folder) {
  return JoinPath(ListGeneratorFolder(program_folder), "listgen.exe");
}
inline constexpr const char* kListGeneratorCommand = "listgen.exe -s -ctrlr";

// The record's line that names the MAME program the list was made from.
inline constexpr const char* kRecordedMameLabel = "MAME program: ";

// The MAME program the record names (as the list generator wrote it: full,
// lexically normal); empty when there is no readable record.
std::string RecordedMameProgram(const std::string& source_record);

}  // namespace brantel
