#include "engine/io/host_path.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <string_view>

#include "engine/io/code_page.h"

namespace brantel {

size_t LastSeparator(const std::string& path) {
  size_t last = std::string::npos;
  for (size_t at = 0; at < path.size(); at += IsLeadByte(static_cast<unsigned char>(path[at])) ? 2 : 1) {
    if (std::string_view(kHostSeparators).find(path[at]) != std::string_view::npos) last = at;
  }
  return last;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  bool ends_in_separator = !folder.empty() && LastSeparator(folder) == folder.size() - 1;
  return ends_in_separator ? folder + name : folder + kHostSeparator + name;
}

std::string FolderOfFile(const std::string& path) {
  const size_t separator = LastSeparator(path);
  if (separator == std::string::npos) return ".";
  return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::string LastPathPiece(const std::string& path) {
  const size_t separator = LastSeparator(path);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && LastSeparator(path) == path.size() - 1) path.pop_back();
  return path;
}

namespace {
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
}  // namespace

bool IsRandomNamePart(const std::string& part) {
  return part.find_first_not_of(kLetters) == std::string::npos;
}

std::string RandomNamePart(int count) {
  static std::mt19937_64 random(std::random_device{}() ^
                                static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::string part;
  for (int i = 0; i < count; ++i) part += kLetters[random() % (sizeof kLetters - 1)];
  return part;
}

}  // namespace brantel
