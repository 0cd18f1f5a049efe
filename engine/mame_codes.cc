#include "engine/mame_codes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/mame_tables.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

// MAME keeps at most this many devices of one class.
constexpr int32_t kLastDeviceNumber = 255;

constexpr std::string_view kDeviceClasses[] = {"KEYCODE", "MOUSECODE", "GUNCODE", "JOYCODE"};
constexpr std::string_view kModifiers[] = {"POS", "NEG", "LEFT", "RIGHT", "UP", "DOWN", "REVERSE"};
constexpr std::string_view kItemClasses[] = {"SWITCH", "ABSOLUTE", "RELATIVE"};
constexpr std::string_view kKeywords[] = {"OR", "NOT", "DEFAULT"};

template <typename List>
bool IsOneOf(const List& list, std::string_view word) {
  return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsScanfSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A number as MAME reads it with sscanf's %d on Linux: white space, an
// optional sign, digits; it is read as a 64-bit long, which stops at the
// limits, and then cut to the low 32 bits. Nothing without a digit. `rest`
// gets the text after the digits.
std::optional<int32_t> ScanNumber(std::string_view text, std::string_view* rest = nullptr) {
  size_t at = 0;
  while (at < text.size() && IsScanfSpace(text[at])) ++at;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  if (at >= text.size() || !IsDigit(text[at])) return std::nullopt;
  constexpr uint64_t kLimit = uint64_t{1} << 63;  // magnitude of the lowest long
  uint64_t magnitude = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    const auto digit = static_cast<uint64_t>(text[at] - '0');
    magnitude = magnitude > kLimit / 10 ? kLimit : std::min(kLimit, magnitude * 10 + digit);
  }
  if (rest != nullptr) *rest = text.substr(at);
  const uint64_t as_long = negative ? 0 - magnitude : std::min(magnitude, kLimit - 1);
  return static_cast<int32_t>(static_cast<uint32_t>(as_long));
}

const mame::CodeItem* FindItem(std::string_view name) {
  const auto found = std::lower_bound(mame::kCodeItems.begin(), mame::kCodeItems.end(), name,
                                      [](const mame::CodeItem& item, std::string_view key) { return item.name < key; });
  return found != mame::kCodeItems.end() && found->name == name ? &*found : nullptr;
}

// A token in upper case, without a copy on the heap for the short ones
// every INI line holds.
class UpperToken {
 public:
  explicit UpperToken(std::string_view token) {
    if (token.size() > sizeof small_) {
      large_ = UpperAscii(token);
      text_ = large_;
      return;
    }
    for (size_t i = 0; i < token.size(); ++i) {
      const char c = token[i];
      small_[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    text_ = std::string_view(small_, token.size());
  }
  UpperToken(const UpperToken&) = delete;
  UpperToken& operator=(const UpperToken&) = delete;
  std::string_view text() const { return text_; }

 private:
  char small_[48];
  std::string large_;
  std::string_view text_;
};

// The pieces of a code token between its "_": the first few, and how many
// there are in all.
struct TokenPieces {
  std::array<std::string_view, 5> first;
  size_t count = 0;
};

TokenPieces Pieces(std::string_view text, char separator) {
  TokenPieces pieces;
  for (size_t start = 0;;) {
    const size_t end = text.find(separator, start);
    if (pieces.count < pieces.first.size()) pieces.first[pieces.count] = text.substr(start, end - start);
    ++pieces.count;
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

// The old tokens in name order, for a binary search; of equal names the
// one listed first comes first, as a search down the list would find it.
const std::vector<const mame::OldToken*>& OldTokensByName() {
  static const std::vector<const mame::OldToken*> sorted = [] {
    std::vector<const mame::OldToken*> tokens;
    for (const mame::OldToken& old : mame::kOldTokens) tokens.push_back(&old);
    std::stable_sort(tokens.begin(), tokens.end(), [](const mame::OldToken* a, const mame::OldToken* b) {
      return a->old_token < b->old_token;
    });
    return tokens;
  }();
  return sorted;
}

const mame::OldToken* FindOldToken(std::string_view upper) {
  const auto& tokens = OldTokensByName();
  const auto by_name = [](const mame::OldToken* old, std::string_view key) { return old->old_token < key; };
  const auto found = std::lower_bound(tokens.begin(), tokens.end(), upper, by_name);
  return found != tokens.end() && (*found)->old_token == upper ? *found : nullptr;
}

}  // namespace

bool IsSequenceKeyword(std::string_view token) {
  // Judged for every word of every sequence: compared in place, not copied.
  const auto same_letter = [](char a, char upper) {
    return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == upper;
  };
  return std::any_of(std::begin(kKeywords), std::end(kKeywords), [&](std::string_view keyword) {
    return token.size() == keyword.size() && std::equal(token.begin(), token.end(), keyword.begin(), same_letter);
  });
}

namespace {

// "MAJOR.MINOR" at the start of `version`.
std::optional<std::pair<int, int>> VersionNumbers(std::string_view version) {
  int major = 0, minor = 0;
  const char* end = version.data() + version.size();
  const auto [dot, major_error] = std::from_chars(version.data(), end, major);
  if (major_error != std::errc() || dot == end || *dot != '.') return std::nullopt;
  if (std::from_chars(dot + 1, end, minor).ec != std::errc()) return std::nullopt;
  return std::pair{major, minor};
}

}  // namespace

bool IsLaterThanTablesMame(std::string_view version) {
  const auto mame = VersionNumbers(version);
  return mame && *mame > *VersionNumbers(kTablesMameVersion);
}

bool IsInputCodeName(std::string_view name) {
  const UpperToken upper_token(name);
  const std::string_view upper = upper_token.text();
  const size_t separator = upper.find('_');
  return separator != std::string_view::npos && IsOneOf(kDeviceClasses, upper.substr(0, separator));
}

// MAME compares port types exactly; its own TYPE_OTHER form it reads with
// sscanf("TYPE_OTHER(%d,%d)"), which takes whatever follows the numbers.
bool IsKnownPortType(std::string_view port_type) {
  if (std::binary_search(mame::kPortTypes.begin(), mame::kPortTypes.end(), port_type)) return true;
  constexpr std::string_view kOther = "TYPE_OTHER(";
  if (!StartsWith(port_type, kOther)) return false;
  std::string_view rest;
  return ScanNumber(port_type.substr(kOther.size()), &rest) && StartsWith(rest, ",") &&
         ScanNumber(rest.substr(1));
}

namespace {

// DEVICECLASS [_NUMBER] _ITEM [_MODIFIER] [_ITEMCLASS], read as MAME reads it:
// a number only in a token of three pieces or more, the device number 1 when
// there is none.
CodeVerdict JudgeAfresh(std::string_view token) {
  const UpperToken upper(token);
  const TokenPieces pieces = Pieces(upper.text(), '_');
  const auto& piece = pieces.first;
  if (!IsOneOf(kDeviceClasses, piece[0])) return CodeVerdict::kDropped;
  size_t at = 1;
  int32_t device = 1;
  if (pieces.count > 2) {
    if (const auto number = ScanNumber(piece[1])) {
      device = *number;
      at = 2;
    }
  }
  if (at >= pieces.count) return CodeVerdict::kDropped;
  if (device <= 0) return CodeVerdict::kNoDevice;
  const mame::CodeItem* item = FindItem(piece[at++]);
  if (item == nullptr) return CodeVerdict::kDropped;
  if (at < pieces.count && IsOneOf(kModifiers, piece[at])) ++at;
  if (at < pieces.count && IsOneOf(kItemClasses, piece[at])) ++at;
  if (at != pieces.count) return CodeVerdict::kDropped;
  // MAME keeps the device number less one in 8 bits, so 257 is device 1
  // again, while 256, 512... leave 255, which no device ever has.
  if (((device - 1) & 0xFF) == 0xFF) return CodeVerdict::kNoSuchDevice;
  return item->keyboard == (piece[0] == "KEYCODE") ? CodeVerdict::kRead : CodeVerdict::kNeverFires;
}

std::optional<std::string> CurrentNameAfresh(std::string_view token, bool whole_text) {
  const UpperToken upper_token(token);
  const std::string_view upper = upper_token.text();
  if (const mame::OldToken* old = FindOldToken(upper)) {
    if (old->whole_text_only && !whole_text) return std::nullopt;
    return std::string(old->current);
  }
  const size_t first = upper.find('_');
  const size_t second = upper.find('_', first == std::string_view::npos ? first : first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::string_view device_class = upper.substr(0, first);
  const std::string_view item = upper.substr(second + 1);
  const std::string_view digits = upper.substr(first + 1, second - first - 1);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) return std::nullopt;
  const auto device = ScanNumber(digits);
  if (!device || *device < 1 || *device > kLastDeviceNumber) return std::nullopt;
  for (const mame::OldItem& old : mame::kOldItems) {
    if (old.device_class == device_class && old.old_item == item) {
      return std::string(device_class) + "_" + std::to_string(*device) + "_" + std::string(old.current_item);
    }
  }
  return std::nullopt;
}

// What tokens already met came to: the INI files of a folder use a few
// hundred codes over and over. Looked up by a view of the token; only short
// tokens are kept, and no more than a few thousand, so that a file of
// distinct tokens cannot make it grow. Kept for the program's life; the
// engine runs on one thread.
template <typename Result>
class TokenMemo {
 public:
  template <typename Judge>
  Result Get(std::string_view token, const Judge& judge) {
    if (const auto found = known_.find(token); found != known_.end()) return found->second;
    Result result = judge(token);
    if (known_.size() < kRemembered && token.size() <= kLongest) known_.emplace(std::string(token), result);
    return result;
  }

 private:
  static constexpr size_t kRemembered = 4096;
  static constexpr size_t kLongest = 40;
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, Result, Hash, std::equal_to<>> known_;
};

}  // namespace

CodeVerdict JudgeCodeToken(std::string_view token) {
  static TokenMemo<CodeVerdict> verdicts;
  return verdicts.Get(token, JudgeAfresh);
}

std::optional<std::string> CurrentCodeName(std::string_view token, bool whole_text) {
  static TokenMemo<std::optional<std::string>> in_whole_text, in_sequence;
  return (whole_text ? in_whole_text : in_sequence).Get(token, [whole_text](std::string_view text) {
    return CurrentNameAfresh(text, whole_text);
  });
}


}  // namespace brantel
