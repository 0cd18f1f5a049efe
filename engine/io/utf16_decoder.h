// UTF-16 text turned into UTF-8 piece by piece, as it is read: a character
// split between two pieces (an odd byte, half of a surrogate pair) waits for
// the next one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brantel {

class Utf16Decoder {
 public:
  explicit Utf16Decoder(bool big_endian) : big_endian_(big_endian) {}

  // Appends the UTF-8 of `bytes` to `out`. A unit that is no character
  // (an unpaired surrogate) becomes U+FFFD, as does a piece left over at the
  // end of the text (`Finish`).
  void Decode(std::string_view bytes, std::string& out);
  void Finish(std::string& out);

 private:
  void Take(uint16_t unit, std::string& out);

  bool big_endian_;
  int pending_byte_ = -1;        // the first byte of a unit not yet complete
  uint16_t high_surrogate_ = 0;  // the first half of a pair, 0 when none
};

}  // namespace brantel
