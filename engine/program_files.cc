#include "engine/program_files.h"

#include "engine/io/file_safety.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/user_folders.h"
#include "engine/settings_file.h"

namespace brantel {
namespace {

constexpr const char* kMasterListName = "masterlist.lst";
constexpr const char* kSourceRecordName = "masterlist.source";

// Tried rather than judged from permissions: an administrator's rights, a
// read-only medium and Windows' folder rules all show only in the attempt.
bool CanWriteIn(const std::string& folder) {
  try {
    const std::string path = CreateTemporaryFileBeside(JoinPath(folder, kSettingsFileName)).path;
    RemoveEntryIfPresent(path);
    return true;
  } catch (const IoError&) {
    return false;
  }
}

std::string OwnFolderIn(const std::string& user_folder) {
  MakeFolderIfMissing(user_folder);
  const std::string own = JoinPath(user_folder, "brantel");
  MakeFolderIfMissing(own);
  return own;
}

}  // namespace

KeptFiles KeptFilesOf(const std::string& program_folder) {
  if (CanWriteIn(program_folder)) {
    return {JoinPath(program_folder, kSettingsFileName), JoinPath(program_folder, kMasterListName),
            JoinPath(ListGeneratorFolder(program_folder), kSourceRecordName)};
  }
  const std::string cache = OwnFolderIn(UserCacheFolder());
  return {JoinPath(OwnFolderIn(UserSettingsFolder()), kSettingsFileName), JoinPath(cache, kMasterListName),
          JoinPath(cache, kSourceRecordName)};
}

}  // namespace brantel
