// The version in the Win32 window: "About brantel Manager..." in its system
// menu (the caption's icon, or Alt+Space), which the layout leaves no room
// for elsewhere.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace brantel {

void AddAboutToSystemMenu(HWND form);

// Shows the box when the system menu command is the one added; false for
// every other command.
bool ShowAboutOn(HWND form, WPARAM system_command);

}  // namespace brantel
