// Texts from INI files written into XML. MAME refuses a whole controller file
// that is not well-formed, so every text the translation writes passes here:
// text that is not valid UTF-8 is read in the system's ANSI code page
// (windows-1252 where the host has none), characters XML forbids are
// dropped, and markup characters are escaped. Clean ASCII comes out
// unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brantel {

// Valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The text as UTF-8 without the characters XML 1.0 forbids.
std::string ToXmlCharacters(std::string_view text);
// The same as a view: `text` itself when it is plain printable ASCII (as
// nearly every text of an INI file is), otherwise `storage` holding it.
std::string_view XmlCharacters(std::string_view text, std::string& storage);

// For attribute values and element content: also escapes & < > and ", and
// writes CR, LF and TAB as character references.
std::string XmlEscapedText(std::string_view text);
// The same, appended to `out`.
void AppendXmlEscapedText(std::string& out, std::string_view text);
// The same for the end of `text` from `from`, in place; copied only when it
// holds a character to escape.
void EscapeXmlTextFrom(std::string& text, size_t from);

// For the inside of a comment: also parts neighbouring hyphens with a space.
std::string XmlCommentText(std::string_view text);
// The same appended to `out`, which ends in no "-".
void AppendXmlCommentText(std::string& out, std::string_view text);
// Comment text as those make it, in pieces of at most `longest` bytes (4 or
// more) that cut no character in two: each piece is a comment of its own,
// as expat holds a whole comment in memory and takes none past 2 GB.
std::vector<std::string_view> CommentPieces(std::string_view comment_text, size_t longest);

}  // namespace brantel
