// Text rules shared by the whole conversion. Comparisons are exact and
// case-sensitive unless a name says otherwise.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/io/code_page.h"

namespace brantel {

// Removes spaces (and nothing else) from both ends.
std::string TrimSpaces(std::string_view text);

// n separators give n + 1 pieces, empty ones included; the empty text gives
// no piece at all.
std::vector<std::string> Split(std::string_view text, char separator);

// Deletes every occurrence of `removed`.
std::string RemoveAll(std::string_view text, std::string_view removed);
std::string RemoveChars(std::string_view text, std::string_view chars);

bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view prefix);

// True when the last character of `text` is "\". In a double-byte code page
// a "\" byte that is the second byte of a character (as in "表") is none.
bool EndsWithBackslash(std::string_view text, bool (*is_lead_byte)(unsigned char) = IsLeadByte);

// The pieces of a path between its "\" characters (as Split does, but a
// second byte of a double-byte character is never a separator).
std::vector<std::string> PathPieces(std::string_view path, bool (*is_lead_byte)(unsigned char) = IsLeadByte);

// The MAME path as the system uses it: ending in "\" or, on POSIX, in "/"
// (added there as "/"; a "\" already at its end stays).
std::string WithTrailingSeparator(std::string_view path);

// Double quotes removed: they are never part of a Windows path, yet a path
// copied from Explorer carries them, and a command line's "C:\MAME\" ends in
// one.
std::string WithoutQuotes(std::string_view path);

// The words of a Windows command line, the program name first, split as the
// C runtime does but for one thing: a quote is never part of a word, since no
// path holds one. So `"C:\MAME\" mame.exe`, as a user types it, is the path
// C:\MAME\ and a second word, as is `"C:\MAME\\" mame.exe`, as programs
// quote it; an escaped quote (`\"`) inside a word is dropped.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

// True for the names Windows keeps for devices, with any extension: CON, PRN,
// AUX, NUL, CONIN$, CONOUT$, COM1 to COM9, LPT1 to LPT9, in any letter case
// ("nul.ini", "Com1.cfg", "aux .txt", "conin$.ini"). COM and LPT with a
// superscript digit are devices too; the Windows file operations know them.
bool IsWindowsDeviceName(std::string_view name);

// Upper case for the letters a to z only.
std::string UpperAscii(std::string_view text);

}  // namespace brantel
