#include "engine/window.h"

#include "engine/io/folder.h"
#include "engine/io/io_error.h"
#include "engine/io/host_path.h"
#include "engine/io/mame_location.h"
#include "engine/settings_file.h"
#include "engine/text_rules.h"

namespace brantel {

WindowTexts FirstStartTexts() { return {"stormcabinet", FirstStartMamePath(), FirstStartExecutable()}; }

std::string ConvertingProgress(size_t done, size_t total) {
  return "Converting: " + std::to_string(done) + " of " + std::to_string(total) + " files";
}

WindowTexts LoadDefaults() { return {"hotrod", DefaultMamePath(), DefaultExecutable()}; }

std::string OldFolderPath(const std::string& mame_path, const std::string& folder_name) {
  return HostPath(KeptMamePath(WithoutQuotes(mame_path)) + "ctrlr\\" +
                  HostFolderName(WithoutQuotes(folder_name)) + "\\");
}

std::string FileListLabel(const std::string& mame_path, const std::string& folder_name) {
  const std::string mame = HostPath(KeptMamePath(WithoutQuotes(mame_path)));
  const std::string ctrlr = JoinPath(mame, "ctrlr");
  if (!FolderExists(ctrlr)) return "No ctrlr folder in " + mame;
  const std::string name = HostFolderName(WithoutQuotes(folder_name));
  if (name.empty()) return "Type the name of your old ctrlr folder above to see its INI files";
  const std::string old_folder = OldFolderPath(mame_path, folder_name);
  if (!FolderExists(old_folder)) return "No folder " + name + " in " + JoinPath(ctrlr, "");
  // As spelt in the path: the part after the MAME folder, without its final separator.
  return "INI files in " + old_folder.substr(mame.size(), old_folder.size() - mame.size() - 1);
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
