#include "engine/xml_text.h"

#include <algorithm>
#include <cstdint>

#include "engine/io/code_page.h"

namespace brantel {
namespace {

// Length of the valid UTF-8 sequence at `at`, or 0 when none starts there.
size_t SequenceLength(std::string_view text, size_t at) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

bool IsForbiddenControl(unsigned char byte) {
  return byte < 0x20 && byte != 0x09 && byte != 0x0A && byte != 0x0D;
}

// Printable ASCII, tabs and line ends: characters XML takes as they are.
bool IsPlainAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= ' ' && c <= '~') || c == '\t' || c == '\n' || c == '\r'; });
}

// Most names and values are plain: a cfg file of a million systems has
// several million of them.
bool NeedsNoEscape(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return c >= ' ' && c <= '~' && c != '&' && c != '<' && c != '>' && c != '"';
  });
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    size_t length = SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string ToXmlCharacters(std::string_view text) {
  // Nearly every text of an INI file is plain ASCII, which stays as it is.
  if (IsPlainAscii(text)) return std::string(text);
  std::string utf8 = IsValidUtf8(text) ? std::string(text) : CodePageToUtf8(text);
  std::string out;
  for (size_t at = 0; at < utf8.size();) {
    size_t length = SequenceLength(utf8, at);
    std::string_view sequence(utf8.data() + at, length);
    bool forbidden = (length == 1 && IsForbiddenControl(static_cast<unsigned char>(utf8[at]))) ||
                     sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF";
    if (!forbidden) out.append(sequence);
    at += length;
  }
  return out;
}

std::string_view XmlCharacters(std::string_view text, std::string& storage) {
  if (IsPlainAscii(text)) return text;
  storage = ToXmlCharacters(text);
  return storage;
}

std::string XmlEscapedText(std::string_view text) {
  std::string out;
  AppendXmlEscapedText(out, text);
  return out;
}

void EscapeXmlTextFrom(std::string& text, size_t from) {
  if (NeedsNoEscape(std::string_view(text).substr(from))) return;
  const std::string tail = text.substr(from);
  text.resize(from);
  AppendXmlEscapedText(text, tail);
}

void AppendXmlEscapedText(std::string& out, std::string_view text) {
  if (NeedsNoEscape(text)) {
    out.append(text);
    return;
  }
  for (char c : ToXmlCharacters(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      // As references they survive attribute normalisation and keep the
      // intermediate lines' structure, which splits at CR.
      case '\r': out += "&#13;"; break;
      case '\n': out += "&#10;"; break;
      case '\t': out += "&#9;"; break;
      default: out += c;
    }
  }
}

std::string XmlCommentText(std::string_view text) {
  std::string out;
  AppendXmlCommentText(out, text);
  return out;
}

void AppendXmlCommentText(std::string& out, std::string_view text) {
  const size_t start = out.size();
  const auto append = [&](std::string_view characters) {
    for (char c : characters) {
      if (c == '-' && out.size() > start && out.back() == '-') out += ' ';
      out += c;
    }
  };
  // Plain text needs no copy of its own first.
  if (IsPlainAscii(text)) {
    append(text);
  } else {
    append(ToXmlCharacters(text));
  }
}

std::vector<std::string_view> CommentPieces(std::string_view comment_text, size_t longest) {
  std::vector<std::string_view> pieces;
  while (comment_text.size() > longest) {
    size_t cut = longest;
    // A UTF-8 character is at most 4 bytes: its continuation bytes are 10xxxxxx.
    while (cut > longest - 3 && (static_cast<unsigned char>(comment_text[cut]) & 0xC0) == 0x80) --cut;
    pieces.push_back(comment_text.substr(0, cut));
    comment_text.remove_prefix(cut);
  }
  pieces.push_back(comment_text);
  return pieces;
}

}  // namespace brantel
