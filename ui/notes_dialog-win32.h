// The conversion notes as a Windows dialog: the summary beside a warning
// icon, every note in a read-only box that scrolls and whose text the user
// can select and copy, and OK. A message box would show the summary only.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace brantel {

// Modal over `owner`: returns when the user has closed it. `dpi` scales the
// 96-DPI layout; `font` is the window's.
void ShowNotesDialog(HWND owner, HFONT font, int dpi, const std::wstring& title, const std::wstring& summary,
                     const std::wstring& notes);

// Ctrl+A in a text box selects all its text (Windows' edit box alone does
// not). True when the message was that key and has been handled.
bool SelectAllOnCtrlA(const MSG& message);

}  // namespace brantel
