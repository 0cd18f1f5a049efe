// The last stage of Convert: the combined controller file beside the old
// folder, and the completion message.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/conversion_notes.h"
#include "engine/user_systems.h"
#include "engine/window.h"

namespace brantel {

inline constexpr const char* kCompletionPrompt =
    "You can either keep your old folder or safely remove it at this time.";
inline constexpr const char* kCompletionTitle = "Conversion Complete!";

// What the combined file is made of besides the three hidden lists.
struct CombinedFileParts {
  std::string path;                           // the old folder followed by ".cfg"
  std::string work_folder;                    // holds the new file until it is complete
  std::vector<std::string> default_sections;  // written first, in this order
  // The file a message names for a section file of the work folder.
  std::map<std::string, std::string> shown_as;
  UserSystems user_systems;  // sorted
  // Called once the new file is complete, right before it takes the name.
  std::function<void()> before_replace;
};

// Writes the header, the default sections (an empty one when there is none,
// as MAME needs one), the sections of DriverList, ParentList and RomList, and
// the footer. Each section file is copied with its port blocks merged; each of
// the user's systems is copied whole, after the translated section of the
// same name. The file replaces an earlier one only once it is complete and
// well-formed, and never one marked read-only. Throws IoError when a file
// cannot be read or written.
void WriteCombinedFile(Window& window, const CombinedFileParts& parts);

// Sets File1 back to "*.ini", shows the notes, if any, and the completion
// message, with `more_lines` after its first line.
void ShowCompletion(Window& window, const ConversionNotes& notes = {},
                    const std::vector<std::string>& more_lines = {});

}  // namespace brantel
