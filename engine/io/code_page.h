// The system's ANSI code page, in which texts that are not UTF-8 are read.
// On Windows it is the system's own (1252, 1251, 932 ...); POSIX hosts have
// none and read such texts as windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace brantel {

// True when `byte` starts a two-byte character of the code page (932, 936,
// 949, 950), whose second byte may then be any value, "\" included.
bool IsLeadByte(unsigned char byte);

// `text`, read in the code page, as UTF-8.
std::string CodePageToUtf8(std::string_view text);

}  // namespace brantel
