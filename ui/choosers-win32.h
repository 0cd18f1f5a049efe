// The system's choosers for the Win32 window: a folder for the path to MAME,
// MAME's program; and the folder dropped on the window. Each gives nothing
// when the user cancels.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

namespace brantel {

// A folder, the chooser opened at `start`.
std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& title, const std::wstring& start);

// A program (the list showing programs first), the chooser opened in `start`.
std::optional<std::wstring> ChooseProgram(HWND owner, const std::wstring& title, const std::wstring& start);

// A file to save text in, `name` offered in the user's Documents folder
// (where the program's own folder may not be writable); asks before it
// replaces one.
std::optional<std::wstring> ChooseTextFileToSave(HWND owner, const std::wstring& title, const std::wstring& name);

// The one folder of a drop; nothing for files or several items. The drop is
// released.
std::optional<std::wstring> DroppedFolder(HDROP drop);

}  // namespace brantel
