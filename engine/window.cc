#include "engine/window.h"

#include "engine/io/io_error.h"
#include "engine/io/host_path.h"
#include "engine/io/mame_location.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"

namespace brantel {

WindowTexts FirstStartTexts() { return {"stormcabinet", FirstStartMamePath(), FirstStartExecutable()}; }

WindowTexts LoadDefaults() { return {"hotrod", DefaultMamePath(), DefaultExecutable()}; }

std::string OldFolderPath(const std::string& mame_path, const std::string& folder_name) {
  return HostPath(KeptMamePath(WithoutQuotes(mame_path)) + "ctrlr\\" +
                  HostFolderName(WithoutQuotes(folder_name)) + "\\");
}

void ShowOldFolder(Window& window) {
  FileList& file_list = window.File1();
  if (HostFolderName(WithoutQuotes(window.Text1())).empty()) {
    file_list.Clear();  // not ctrlr itself, which Convert refuses
    return;
  }
  try {
    file_list.SetPath(OldFolderPath(window.Text2(), window.Text1()));
  } catch (const IoError&) {
    file_list.Clear();  // no such folder (yet)
  }
}

}  // namespace brantel
