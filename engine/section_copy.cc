#include "engine/section_copy.h"

#include <algorithm>

#include "engine/text_rules.h"

namespace brantel {
namespace {

enum Slot { kPortSlot = 1, kNewseqSlot = 2, kClosingSlot = 3 };

// The line without tabs and line ends, in `cleaned`.
std::string_view Cleaned(std::string_view raw, std::string& cleaned) {
  cleaned.assign(raw);
  cleaned = RemoveChars(cleaned, "\t\n\r");
  return cleaned;
}

// The kind text of a line without tabs and line ends.
std::string_view KindOfCleaned(std::string_view text) {
  if (text.find('#') != std::string_view::npos) return text;
  size_t open = text.find('<');
  if (open == std::string_view::npos) return text;
  size_t next = text.find('<', open + 1);
  return text.substr(open + 1, next == std::string_view::npos ? std::string_view::npos : next - open - 1);
}

// The text that tells what kind of line a raw line is: without tabs and line
// ends, and cut to the part after its first "<" (up to the next "<") unless
// it holds a "#". A view of the raw line itself when it holds none of those
// characters, as translated lines never do; otherwise of `cleaned`.
std::string_view KindText(std::string_view raw, std::string& cleaned) {
  // One pass over the line finds what the rules look at.
  size_t open = std::string_view::npos, next = std::string_view::npos;
  for (size_t at = 0; at < raw.size(); ++at) {
    const char c = raw[at];
    if (c == '<') {
      if (open == std::string_view::npos) {
        open = at;
      } else if (next == std::string_view::npos) {
        next = at;
      }
    } else if (c == '#') {
      return raw.find_first_of("\t\n\r", at) == std::string_view::npos ? raw : Cleaned(raw, cleaned);
    } else if (c == '\t' || c == '\n' || c == '\r') {
      return KindOfCleaned(Cleaned(raw, cleaned));
    }
  }
  if (open == std::string_view::npos) return raw;
  return raw.substr(open + 1, next == std::string_view::npos ? std::string_view::npos : next - open - 1);
}

void WriteSlots(LinePrinter& out, const SlotArray& slots) {
  out.Print(slots[kPortSlot]);
  out.Print(slots[kNewseqSlot]);
  out.Print(slots[kClosingSlot]);
}

// Emptied, keeping the room of its texts.
void Clear(SlotArray& slots) {
  for (std::string& text : slots) text.clear();
}

void Store(SlotPair& pair, Slot slot, std::string_view raw) {
  (pair.first[slot].empty() ? pair.first[slot] : pair.second[slot]).assign(raw);
}

// A second block is complete: write the first, merged with the second when
// both carry the same port line.
void Flush(SlotPair& pair, LinePrinter& out) {
  if (pair.second[kPortSlot] == pair.first[kPortSlot]) {
    out.Print(pair.first[kPortSlot]);
    out.Print(pair.first[kNewseqSlot]);
    out.Print(pair.second[kNewseqSlot]);
    out.Print(pair.first[kClosingSlot]);
    Clear(pair.first);
    Clear(pair.second);
  } else {
    WriteSlots(out, pair.first);
    pair.first.swap(pair.second);
    Clear(pair.second);
  }
}

void CopyLine(std::string_view raw, SlotPair& pair, LinePrinter& out, std::string& cleaned) {
  const std::string_view kind = KindText(raw, cleaned);
  bool handled = false;
  if (kind.starts_with("port ")) {
    Store(pair, kPortSlot, raw);
    handled = true;
  }
  if (kind.starts_with("newseq type=")) {
    Store(pair, kNewseqSlot, raw);
    handled = true;
  }
  if (kind.starts_with("/port>")) {
    if (pair.first[kClosingSlot].empty()) {
      pair.first[kClosingSlot].assign(raw);
      handled = true;
    } else {
      pair.second[kClosingSlot].assign(raw);
      Flush(pair, out);
      raw = {};  // the closing line that caused the flush leaves an empty line
    }
  }
  if (!handled && kind != "/input>" && kind != "/system>") out.Print(raw);
}

void FlushAtEnd(SlotPair& pair, LinePrinter& out) {
  if (!pair.first[kPortSlot].empty()) WriteSlots(out, pair.first);
  if (!pair.second[kPortSlot].empty()) WriteSlots(out, pair.second);
  Clear(pair.first);
  Clear(pair.second);
}

void BeginSection(LinePrinter& out) {
  out.Print("");
  out.Print("");
}

void EndSection(SlotPair& pair, LinePrinter& out) {
  FlushAtEnd(pair, out);
  out.Print("</input>", 1);
  out.Print("</system>");
}

}  // namespace

SectionCopy::SectionCopy(SlotPair& pair, LinePrinter& out) : pair_(pair), out_(out) { BeginSection(out_); }

void SectionCopy::Line(std::string_view raw) { CopyLine(raw, pair_, out_, cleaned_); }

void SectionCopy::End() { EndSection(pair_, out_); }

void CopySectionLines(const std::vector<std::string>& raw_lines, SlotPair& pair, LinePrinter& out) {
  SectionCopy copy(pair, out);
  for (const std::string& raw : raw_lines) copy.Line(raw);
  copy.End();
}

}  // namespace brantel
