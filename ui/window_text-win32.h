// The window's texts are UTF-16, so a folder named "Łódź" can be typed and
// shown whatever the system's code page; the engine's texts are in that
// code page. These are the crossings: a path the code page cannot spell goes
// to the engine by its short names, and a path given by short names (as the
// settings file keeps it) is shown by its long ones.
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

// The text of a box, and a box's text set.
std::wstring BoxText(HWND box);
void SetBoxText(HWND box, const std::wstring& text);

// A text for the engine: exact when the code page spells it, otherwise the
// path through its short names (a name without one comes as best it can,
// and is then simply not found).
std::string EngineText(const std::wstring& text);
// The folder name `name` inside "<mame_path>ctrlr\", for the engine.
std::string EngineFolderName(const std::wstring& mame_path, const std::wstring& name);

// Ctrl+A in a text box selects all its text (Windows' edit box alone does
// not). True when the message was that key and has been handled.
bool SelectAllOnCtrlA(const MSG& message);

// Puts `text` on the clipboard as Unicode text; `owner` is the window that
// puts it there. Nothing changes where Windows refuses the clipboard.
void PutOnClipboard(HWND owner, const std::wstring& text);
// `lines` with every line end CR LF, as Windows' text boxes and programs
// want them; no line end after the last line.
std::wstring WithCrLf(const std::wstring& lines);

// The path with its short names made long; unchanged when it names nothing.
std::wstring LongPath(const std::wstring& path);
// The folder name inside "<mame_path>ctrlr\" with its short names made long.
std::wstring LongFolderName(const std::wstring& mame_path, const std::wstring& name);

// Registers, once per program, a dialog-like window class of the name with
// the system's button face and arrow cursor.
void RegisterDialogClass(const wchar_t* name, WNDPROC procedure);

}  // namespace brantel
