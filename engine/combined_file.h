// The last stage of Convert: the combined controller file beside the old
// folder, the clean-up of the folder's cfg files, and the completion message.
#pragma once

#include "engine/conversion_notes.h"
#include "engine/window.h"

namespace brantel {

inline constexpr const char* kCompletionPrompt =
    "You can either keep your old folder or safely remove it at this time.";
inline constexpr const char* kCompletionTitle = "Conversion Complete!";

// Writes File1's folder followed by ".cfg": the header, the default section,
// the sections of DriverList, ParentList and RomList, the footer. The file
// replaces an earlier one only once it is complete. Then deletes every file
// File1 lists, sets File1 back to "*.ini", shows the notes of the
// translation, if any, and the completion message. Throws IoError when a file
// cannot be read, written or deleted.
void WriteCombinedFile(Window& window, const ConversionNotes& notes = {});

}  // namespace brantel
