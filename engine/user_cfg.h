// A cfg file of the user's own in the old folder (one MAME wrote, one from an
// earlier Convert, or one written by hand). It is read with an XML parser, so
// that whatever its layout, line ends or attributes, each of its `system`
// elements comes out whole: every child element, attribute and comment. The
// file itself is never changed.
#pragma once

#include <string>
#include <vector>

#include "engine/io/work_folder.h"

namespace brantel {

// One `system` element of a user's cfg file, re-serialised on its own into a
// file of the work folder, one line a line of the element with CR LF, so that
// it takes its place among the sections like a translated INI file.
struct UserSection {
  std::string system_name;  // its name attribute
  std::string path;         // the file in the work folder
};

// Every `system` element of the file at `cfg_path` that lies in no other, in
// document order. `count` numbers the files made in `work` across calls.
// Throws IoError naming `cfg_path` when it cannot be read or is not
// well-formed XML.
std::vector<UserSection> SplitUserCfg(const std::string& cfg_path, const WorkFolder& work, size_t& count);

// True for the files SplitUserCfg makes, which are copied whole.
bool IsUserSectionFile(const std::string& path);

}  // namespace brantel
