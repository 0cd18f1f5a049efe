#include "engine/file_digest.h"

#include <cstdio>

// Header-only, so that every build (the Windows one too) takes the same code.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace brantel {

struct FileDigest::State {
  XXH3_state_t xxh;
};

FileDigest::FileDigest() : state_(std::make_unique<State>()) { XXH3_128bits_reset(&state_->xxh); }

FileDigest::~FileDigest() = default;

void FileDigest::Add(std::string_view bytes) { XXH3_128bits_update(&state_->xxh, bytes.data(), bytes.size()); }

std::string FileDigest::HexDigest() const {
  const XXH128_hash_t hash = XXH3_128bits_digest(&state_->xxh);
  char text[33];
  std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                static_cast<unsigned long long>(hash.low64));
  return text;
}

std::string HexDigestOf(std::string_view bytes) {
  FileDigest digest;
  digest.Add(bytes);
  return digest.HexDigest();
}

}  // namespace brantel
