#include "engine/program_files.h"

#include <algorithm>

#include "engine/io/file_safety.h"
#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/user_folders.h"
#include "engine/settings_file.h"

namespace brantel {
namespace {

constexpr const char* kSourceRecordName = "masterlist.source";
constexpr const char* kWrittenRecordName = "combined.lst";

// Tried rather than judged from permissions: an administrator's rights, a
// read-only medium and Windows' folder rules all show only in the attempt.
// Any failure but a refusal (a full disk) is reported, not taken for one.
bool CanWriteIn(const std::string& folder) { return CanCreateFilesIn(folder); }

KeptFiles InProgramFolder(const std::string& program_folder) {
  return {JoinPath(program_folder, kSettingsFileName), JoinPath(program_folder, kMasterListName),
          JoinPath(ListGeneratorFolder(program_folder), kSourceRecordName),
          JoinPath(program_folder, kWrittenRecordName)};
}

// The program's own folder in a user folder, made when asked and missing.
std::string OwnFolderIn(const std::string& user_folder, bool make) {
  const std::string own = JoinPath(user_folder, "brantel");
  if (make) {
    MakeFolderIfMissing(user_folder);
    MakeFolderIfMissing(own);
  }
  return own;
}

KeptFiles InUserFolders(bool make) {
  const std::string cache = OwnFolderIn(UserCacheFolder(), make);
  const std::string settings = OwnFolderIn(UserSettingsFolder(), make);
  return {JoinPath(settings, kSettingsFileName), JoinPath(cache, kMasterListName), JoinPath(cache, kSourceRecordName),
          JoinPath(settings, kWrittenRecordName)};
}

}  // namespace

KeptFiles KeptFilesOf(const std::string& program_folder) {
  return CanWriteIn(program_folder) ? InProgramFolder(program_folder) : InUserFolders(true);
}

std::vector<std::string> KeptFilesFolders(const KeptFiles& files) {
  std::vector<std::string> folders;
  for (const std::string* file : {&files.settings_file, &files.written_record, &files.master_list, &files.source_record}) {
    const std::string folder = FolderOfFile(*file);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  }
  return folders;
}

KeptFiles WhereFilesAreKept(const std::string& program_folder) {
  return CanWriteIn(program_folder) ? InProgramFolder(program_folder) : InUserFolders(false);
}

std::string RecordedMameProgram(const std::string& source_record) {
  try {
    for (LineReader record(source_record, LineReader::Marks::kIgnore, 1 << 16); !record.AtEnd();) {
      const std::string line = record.ReadLine();
      if (line.rfind(kRecordedMameLabel, 0) == 0) return line.substr(std::string(kRecordedMameLabel).size());
    }
  } catch (const IoError&) {
    // No record to go by: a list made by hand, or by an older list generator.
  }
  return "";
}

void CheckProgramFolderIsWhole(const std::string& program_folder) {
  const std::string folder = ListGeneratorFolder(program_folder);
  if (!FolderExists(folder)) {
    throw IoError("The list generator is missing: there is no folder", folder,
                  "Extract all files first, then start the program from the extracted folder");
  }
}

}  // namespace brantel
