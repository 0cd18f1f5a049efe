// The combined files Convert wrote, so that it can tell its own earlier
// output under a name (replaced: it is only the old folder converted before)
// from a file of the user's of the same name (kept aside, never lost).
#pragma once

#include <cstdint>
#include <string>

namespace brantel {

// Called right before the new combined file takes the name `path`: an entry
// there that is not, byte for byte, the file the record `record_file` says
// Convert wrote there last is renamed to a name MAME never reads as a
// controller file: "<path>.bak", or the first free "<path>.N.bak". Returns
// that name, or "" when there was nothing or our own file. A record that
// cannot be read says nothing, so the file is kept aside. Throws IoError
// when the entry cannot be renamed.
std::string KeepEarlierFileAside(const std::string& path, const std::string& record_file);

// Once the new file is in place: the record says it is the one Convert wrote
// under `path` (its size and SHA-256, as its bytes were written), and forgets
// the oldest names past a few hundred. Throws IoError when the record cannot
// be written.
void RecordWrittenFile(const std::string& path, std::uint64_t size, const std::string& sha256,
                       const std::string& record_file);

}  // namespace brantel
