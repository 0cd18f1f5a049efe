// The conversion notes as a Windows dialog: the heading beside an
// information or a warning icon, every note in a read-only box whose lines
// wrap and whose text the user can select, and OK. It can be resized (its
// size is not kept); Ctrl+C copies the selected text, or all the notes when
// none is selected. A message box would show the heading only.
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
// 96-DPI layout; `font` is the window's. Save... offers the name "FOLDER
// conversion notes.txt" for the old folder named `folder_name`.
void ShowNotesDialog(HWND owner, HFONT font, int dpi, const std::wstring& title, const std::wstring& heading,
                     const std::wstring& notes, bool warning, const std::wstring& folder_name);

}  // namespace brantel
