// What a screen reader calls a control, where neither its own text nor a
// label made right before it says it well (two buttons that both show
// "Browse...", a box of text with no label).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace brantel {

// Gives `control` the accessible name `name` (Windows' dynamic annotation,
// which Microsoft Active Accessibility and UI Automation both read); what it
// shows stays. False where Windows offers no annotation: the control then
// keeps the name it had.
bool SetAccessibleName(HWND control, const wchar_t* name);

}  // namespace brantel
