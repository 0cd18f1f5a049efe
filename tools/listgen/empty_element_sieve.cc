#include "tools/listgen/empty_element_sieve.h"

#include <algorithm>

namespace listgen {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view ElementName(std::string_view tag) {
  const auto end = tag.find_first_of(" \t/>", 1);
  return tag.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
}

// The line without its "\n" or "\r\n" end.
std::string_view Content(std::string_view line) {
  line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

EmptyElementSieve::EmptyElementSieve(std::span<const std::string_view> kept_elements)
    : kept_elements_(kept_elements.begin(), kept_elements.end()) {}

// True for a line that is exactly one complete empty element: it starts
// with "<" and a letter, ends with "/>", holds no other "<", and its quotes
// pair up, so no attribute value runs on to another line.
bool EmptyElementSieve::IsDroppable(std::string_view content) const {
  if (!content.ends_with("/>")) return false;
  const auto start = content.find_first_not_of(" \t");
  content.remove_prefix(start);
  if (content.size() < 4 || content[0] != '<' || !IsLetter(content[1])) return false;
  int tag_starts = 0;
  int quotes = 0;
  for (char c : content) {
    tag_starts += c == '<';
    quotes += c == '"';
  }
  if (tag_starts != 1 || quotes % 2 != 0) return false;
  return std::find(kept_elements_.begin(), kept_elements_.end(), ElementName(content)) == kept_elements_.end();
}

// `line` ends with "\n"; a dropped line keeps only its line end.
void EmptyElementSieve::AppendSifted(std::string_view line) {
  const std::string_view content = Content(line);
  sifted_.append(IsDroppable(content) ? line.substr(content.size()) : line);
}

std::string_view EmptyElementSieve::Sift(std::string_view piece) {
  sifted_.clear();
  auto newline = piece.find('\n');
  if (!pending_.empty() && newline != std::string_view::npos) {
    pending_.append(piece.substr(0, newline + 1));
    AppendSifted(pending_);
    pending_.clear();
    piece.remove_prefix(newline + 1);
    newline = piece.find('\n');
  }
  for (; newline != std::string_view::npos; newline = piece.find('\n')) {
    AppendSifted(piece.substr(0, newline + 1));
    piece.remove_prefix(newline + 1);
  }
  pending_.append(piece);
  return sifted_;
}

}  // namespace listgen
