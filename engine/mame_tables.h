// What MAME 0.251 understands in a controller file and the old names it no
// longer knows, as facts gathered from MAME itself through its Lua API. The
// data lives in engine/mame_tables.cc, made by scripts/make_mame_tables.sh,
// which tells how to gather the facts anew for another MAME.
#pragma once

#include <span>
#include <string_view>

namespace brantel::mame {

// Every port type token (<port type="...">), sorted.
extern const std::span<const std::string_view> kPortTypes;

// A standard item name of a code token (the A of KEYCODE_A, the XAXIS of
// JOYCODE_1_XAXIS), and whether it names a key or a controller item.
struct CodeItem {
  std::string_view name;
  bool keyboard;
};
extern const std::span<const CodeItem> kCodeItems;  // sorted by name

// An old code token in upper case and the current one that means the same;
// some mean the same only as the whole sequence text (KEYCODE_NONE: NONE).
struct OldToken {
  std::string_view old_token;
  std::string_view current;
  bool whole_text_only;
};
extern const std::span<const OldToken> kOldTokens;

// The part after the device number of an old numbered token and the current
// one, for any device number: JOYCODE, ANALOG_X, XAXIS make JOYCODE_3_ANALOG_X
// into JOYCODE_3_XAXIS.
struct OldItem {
  std::string_view device_class;
  std::string_view old_item;
  std::string_view current_item;
};
extern const std::span<const OldItem> kOldItems;

}  // namespace brantel::mame
