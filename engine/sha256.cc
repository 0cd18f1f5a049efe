#include "engine/sha256.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace brantel {
namespace {

constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotate(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

// The eight working words are renamed rather than moved: each round takes
// them in an order turned by one, which the compiler keeps in registers.
inline void Round(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t& d, std::uint32_t e,
                  std::uint32_t f, std::uint32_t g, std::uint32_t& h, std::uint32_t round_word) {
  const std::uint32_t t1 = h + (Rotate(e, 6) ^ Rotate(e, 11) ^ Rotate(e, 25)) + (g ^ (e & (f ^ g))) + round_word;
  const std::uint32_t t2 = (Rotate(a, 2) ^ Rotate(a, 13) ^ Rotate(a, 22)) + ((a & b) | (c & (a | b)));
  d += t1;
  h = t1 + t2;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define BRANTEL_SHA_EXTENSIONS 1

// The processor's own SHA-256 instructions, where it has them: a tenth of
// the time of the plain rounds, which matters when a combined file of tens
// of megabytes is hashed on every Convert.
bool HasShaExtensions() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sha") && __builtin_cpu_supports("sse4.1");
  }();
  return has;
}

// Intel's layout: the state as ABEF and CDGH, four rounds' message words per
// register, each four computed from the four before them.
__attribute__((target("sha,sse4.1"))) void ShaExtensionBlocks(std::array<std::uint32_t, 8>& state,
                                                               const unsigned char* data, size_t blocks) {
  const __m128i byte_order = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
  __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[0]));
  __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[4]));
  const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
  const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
  __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
  __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);
  for (; blocks > 0; --blocks, data += 64) {
    const __m128i abef_before = abef, cdgh_before = cdgh;
    __m128i words[4];
    for (int group = 0; group < 16; ++group) {
      __m128i message;
      if (group < 4) {
        message = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * group)), byte_order);
      } else {
        const __m128i& last = words[(group - 1) % 4];
        message = _mm_sha256msg1_epu32(words[group % 4], words[(group - 3) % 4]);
        message = _mm_add_epi32(message, _mm_alignr_epi8(last, words[(group - 2) % 4], 4));
        message = _mm_sha256msg2_epu32(message, last);
      }
      words[group % 4] = message;
      __m128i round_words =
          _mm_add_epi32(message, _mm_loadu_si128(reinterpret_cast<const __m128i*>(&kRound[4 * group])));
      cdgh = _mm_sha256rnds2_epu32(cdgh, abef, round_words);
      round_words = _mm_shuffle_epi32(round_words, 0x0E);
      abef = _mm_sha256rnds2_epu32(abef, cdgh, round_words);
    }
    abef = _mm_add_epi32(abef, abef_before);
    cdgh = _mm_add_epi32(cdgh, cdgh_before);
  }
  const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
  const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
  dcba = _mm_blend_epi16(feba, dchg, 0xF0);
  hgfe = _mm_alignr_epi8(dchg, feba, 8);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[0]), dcba);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[4]), hgfe);
}
#endif

}  // namespace

Sha256::Sha256()
    : state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256::Block(const unsigned char* block) {
  std::uint32_t w[64];
  for (int i = 0; i < 16; ++i) {
    w[i] = std::uint32_t{block[4 * i]} << 24 | std::uint32_t{block[4 * i + 1]} << 16 |
           std::uint32_t{block[4 * i + 2]} << 8 | std::uint32_t{block[4 * i + 3]};
  }
  for (int i = 16; i < 64; ++i) {
    const std::uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  std::uint32_t e = state_[4], f = state_[5], g = state_[6], h = state_[7];
  for (int i = 0; i < 64; i += 8) {
    Round(a, b, c, d, e, f, g, h, kRound[i] + w[i]);
    Round(h, a, b, c, d, e, f, g, kRound[i + 1] + w[i + 1]);
    Round(g, h, a, b, c, d, e, f, kRound[i + 2] + w[i + 2]);
    Round(f, g, h, a, b, c, d, e, kRound[i + 3] + w[i + 3]);
    Round(e, f, g, h, a, b, c, d, kRound[i + 4] + w[i + 4]);
    Round(d, e, f, g, h, a, b, c, kRound[i + 5] + w[i + 5]);
    Round(c, d, e, f, g, h, a, b, kRound[i + 6] + w[i + 6]);
    Round(b, c, d, e, f, g, h, a, kRound[i + 7] + w[i + 7]);
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
  state_[4] += e;
  state_[5] += f;
  state_[6] += g;
  state_[7] += h;
}

void Sha256::Blocks(const unsigned char* data, size_t blocks) {
#ifdef BRANTEL_SHA_EXTENSIONS
  if (HasShaExtensions()) {
    ShaExtensionBlocks(state_, data, blocks);
    return;
  }
#endif
  for (; blocks > 0; --blocks, data += 64) Block(data);
}

// Whole blocks straight from `bytes`; only a block's start or end is copied.
void Sha256::Add(std::string_view bytes) {
  total_ += bytes.size();
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t size = bytes.size();
  if (pending_size_ > 0) {
    const size_t taken = std::min(size, pending_.size() - pending_size_);
    std::memcpy(pending_.data() + pending_size_, data, taken);
    pending_size_ += taken;
    data += taken;
    size -= taken;
    if (pending_size_ < pending_.size()) return;
    Blocks(pending_.data(), 1);
    pending_size_ = 0;
  }
  Blocks(data, size / pending_.size());
  data += size - size % pending_.size();
  size %= pending_.size();
  std::memcpy(pending_.data(), data, size);
  pending_size_ = size;
}

std::string Sha256::HexDigest() {
  const std::uint64_t bits = total_ * 8;
  Add(std::string_view("\x80", 1));
  while (pending_size_ != 56) Add(std::string_view("\0", 1));
  for (int shift = 56; shift >= 0; shift -= 8) Add(std::string(1, static_cast<char>(bits >> shift)));
  std::string hex;
  for (const std::uint32_t word : state_) {
    for (int shift = 28; shift >= 0; shift -= 4) hex += "0123456789abcdef"[(word >> shift) & 0xF];
  }
  return hex;
}

}  // namespace brantel
