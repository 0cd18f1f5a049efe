#include "engine/io/utf16_decoder.h"

namespace brantel {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

void AppendUtf8(uint32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHigh(uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void Utf16Decoder::Take(uint16_t unit, std::string& out) {
  if (high_surrogate_ != 0) {
    if (IsLow(unit)) {
      AppendUtf8(0x10000 + ((uint32_t{high_surrogate_} - 0xD800) << 10) + (unit - 0xDC00u), out);
      high_surrogate_ = 0;
      return;
    }
    AppendUtf8(kReplacement, out);
    high_surrogate_ = 0;
  }
  if (IsHigh(unit)) {
    high_surrogate_ = unit;
  } else {
    AppendUtf8(IsLow(unit) ? kReplacement : unit, out);
  }
}

void Utf16Decoder::Decode(std::string_view bytes, std::string& out) {
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (pending_byte_ < 0) {
      pending_byte_ = value;
      continue;
    }
    const auto first = static_cast<uint16_t>(pending_byte_);
    Take(static_cast<uint16_t>(big_endian_ ? (first << 8) | value : (value << 8) | first), out);
    pending_byte_ = -1;
  }
}

void Utf16Decoder::Finish(std::string& out) {
  if (high_surrogate_ != 0 || pending_byte_ >= 0) AppendUtf8(kReplacement, out);
  high_surrogate_ = 0;
  pending_byte_ = -1;
}

}  // namespace brantel
