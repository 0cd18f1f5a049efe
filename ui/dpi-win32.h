// The scale of the Win32 windows: each is laid out for 96 DPI and scaled to
// its monitor's DPI (the manifest makes the program per-monitor aware), in
// the system's message font at that DPI.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace brantel {

// The system's DPI (of the main monitor when the program started).
int SystemDpi();
// The monitor's DPI for the window (Windows 10 and later); the system's
// before that.
int DpiOf(HWND window);
// The system's message font (Segoe UI 9 pt on current Windows) at `dpi`;
// the caller deletes it. The stock GUI font when Windows gives none.
HFONT MessageFont(int dpi);
// A 96-DPI length at `dpi`.
inline int AtDpi(int length, int dpi) { return MulDiv(length, dpi, 96); }

}  // namespace brantel
