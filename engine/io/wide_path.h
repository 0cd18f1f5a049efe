// Windows only. The system's texts and paths are in the ANSI code page, as
// the user typed them; the file system is reached through its UTF-16 ("W")
// functions, which alone take paths beyond MAX_PATH and report names that the
// code page cannot spell. These are the two crossings.
#pragma once

#include <string>

namespace brantel {

// The ANSI text in UTF-16.
std::wstring WideText(const std::string& text);

// The path for a "W" function: a full path longer than the classic limit gets
// the "\\?\" form, which alone reaches it; one typed as "\\.\C:\..." or
// "\\?\C:\..." is taken as "C:\...".
std::wstring WidePath(const std::string& path);
std::wstring WidePath(const std::wstring& path);

// The path of a program to start, as WidePath gives it, but a long one by its
// short (8.3) names, which the process start takes where it fits.
std::wstring ProgramPath(const std::string& path);

// The UTF-16 text in the ANSI code page, or false when the code page cannot
// spell it exactly (no best-fit "L" for "Ł").
bool ToAnsi(const std::wstring& text, std::string& ansi);

// The text in the ANSI code page, characters it cannot spell replaced by the
// nearest it has ("L" for "Ł") or "?": for messages only, never for a path.
std::string BestFitAnsi(const std::wstring& text);

// The path in the ANSI code page, each component the code page cannot spell
// replaced by its short (8.3) name, which always can be. Throws IoError when
// such a component has no short name.
std::string AnsiPath(const std::wstring& path);

// The system's text for an error code, its "%1" filled with the file; a file
// in use and a path too long are said plainly.
std::string WindowsReason(unsigned long code, const std::string& file);

// Throws IoError for the failure of the call just made, whose code is read
// before anything else can change it.
[[noreturn]] void ThrowLastError(const char* what_failed, const std::string& file);

// The same for an operation on the file itself (open, replace, delete): an
// access denied because a folder has its name, it is read-only or another
// program holds it says so.
[[noreturn]] void ThrowFileError(const char* what_failed, const std::string& file);

}  // namespace brantel
