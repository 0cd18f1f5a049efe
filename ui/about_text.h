// What the window's "About brantel Manager..." shows: the version and the
// licence. BRANTEL_VERSION comes from the build.
#pragma once

namespace brantel {

inline constexpr const char* kAboutCaption = "About brantel Manager";
inline constexpr const char* kAboutText =
    "brantel Manager " BRANTEL_VERSION "\n\n"
    "Converts an old MAME controller folder into one controller file.\n\n"
    "Copyright (c) 2026 the brantel Manager authors.\n"
    "MIT License.";

}  // namespace brantel
