// How MAME 0.251 reads the port types and code tokens of a controller file,
// and the current names of old code tokens.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brantel {

// The MAME the tables were gathered from, as the notes name it: what they
// say holds for current MAME as far as that one tells (a later MAME may know
// more names).
inline constexpr const char* kTablesMameVersion = "0.251";
inline constexpr const char* kCurrentMame = "current MAME (as of 0.251)";

// True when `version`, MAME's -version text ("0.261 (mame0261)"), names a
// later MAME than kTablesMameVersion; false when it cannot be read as one.
bool IsLaterThanTablesMame(std::string_view version);

// What MAME makes of one code token of a sequence text.
enum class CodeVerdict {
  kRead,        // a code it reads
  kDropped,     // no code it knows: it drops the token
  kNeverFires,  // read, but names an item that no device of its class has
  kNoSuchDevice,  // read, but its device number stands for none MAME can have
  kNoDevice,    // device number 0 or below: never fires, and can crash MAME
};
CodeVerdict JudgeCodeToken(std::string_view token);

// OR, NOT and DEFAULT in any letter case: words of a sequence text that are
// no code.
bool IsSequenceKeyword(std::string_view token);

// The current token for an old one (letter case ignored, as MAME ignores it;
// a device number only in plain digits, as old MAME wrote it), in MAME's
// upper case; nothing for a token that is not old. `whole_text`
// tells that the token is the whole sequence text.
std::optional<std::string> CurrentCodeName(std::string_view token, bool whole_text);

// A name that begins with a device class (KEYCODE_, JOYCODE_, MOUSECODE_,
// GUNCODE_, letter case ignored): an input code, whether MAME reads it or not.
bool IsInputCodeName(std::string_view name);

// A type MAME's ports have, or MAME's own form TYPE_OTHER(n,m).
bool IsKnownPortType(std::string_view port_type);

}  // namespace brantel
