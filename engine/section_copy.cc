#include "engine/section_copy.h"

#include <new>

#include "engine/io/io_error.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

enum Slot { kPortSlot = 1, kNewseqSlot = 2, kClosingSlot = 3 };

// The text that tells what kind of line a raw line is: without tabs and line
// ends, and cut to the part after its first "<" (up to the next "<") unless
// it holds a "#".
std::string KindText(const std::string& raw) {
  std::string text = RemoveChars(raw, "\t\n\r");
  if (Contains(text, "#")) return text;
  size_t open = text.find('<');
  if (open == std::string::npos) return text;
  size_t next = text.find('<', open + 1);
  return text.substr(open + 1, next == std::string::npos ? std::string::npos : next - open - 1);
}

void WriteSlots(LinePrinter& out, const SlotArray& slots) {
  out.Print(slots[kPortSlot]);
  out.Print(slots[kNewseqSlot]);
  out.Print(slots[kClosingSlot]);
}

void Store(SlotPair& pair, Slot slot, const std::string& raw) {
  (pair.first[slot].empty() ? pair.first[slot] : pair.second[slot]) = raw;
}

// A second block is complete: write the first, merged with the second when
// both carry the same port line.
void Flush(SlotPair& pair, LinePrinter& out) {
  if (pair.second[kPortSlot] == pair.first[kPortSlot]) {
    out.Print(pair.first[kPortSlot]);
    out.Print(pair.first[kNewseqSlot]);
    out.Print(pair.second[kNewseqSlot]);
    out.Print(pair.first[kClosingSlot]);
    pair = SlotPair{};
  } else {
    WriteSlots(out, pair.first);
    pair.first = pair.second;
    pair.second = SlotArray{};
  }
}

void CopyLine(std::string raw, SlotPair& pair, LinePrinter& out) {
  std::string kind = KindText(raw);
  bool handled = false;
  if (StartsWith(kind, "port ")) {
    Store(pair, kPortSlot, raw);
    handled = true;
  }
  if (StartsWith(kind, "newseq type=")) {
    Store(pair, kNewseqSlot, raw);
    handled = true;
  }
  if (StartsWith(kind, "/port>")) {
    if (pair.first[kClosingSlot].empty()) {
      pair.first[kClosingSlot] = raw;
      handled = true;
    } else {
      pair.second[kClosingSlot] = raw;
      Flush(pair, out);
      raw.clear();  // the closing line that caused the flush leaves an empty line
    }
  }
  if (!handled && kind != "/input>" && kind != "/system>") out.Print(raw);
}

void FlushAtEnd(SlotPair& pair, LinePrinter& out) {
  if (!pair.first[kPortSlot].empty()) WriteSlots(out, pair.first);
  if (!pair.second[kPortSlot].empty()) WriteSlots(out, pair.second);
  pair = SlotPair{};
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

void CopySectionLines(const std::vector<std::string>& raw_lines, SlotPair& pair, LinePrinter& out) {
  BeginSection(out);
  for (const std::string& raw : raw_lines) CopyLine(raw, pair, out);
  EndSection(pair, out);
}

void CopySection(const std::string& path, SlotPair& pair, LinePrinter& out) {
  LineReader section(path);
  BeginSection(out);
  try {
    while (!section.AtEnd()) CopyLine(section.ReadLine(), pair, out);
  } catch (const std::bad_alloc&) {
    throw IoError("Could not copy", path, "Not enough memory for one of its lines");
  }
  EndSection(pair, out);
}

void Add2xml(const HiddenList& tlist, LinePrinter& out,
             const std::function<void(const std::string&)>& before_each) {
  SlotPair pair;
  for (const std::string& path : tlist) {
    if (before_each) before_each(path);
    CopySection(path, pair, out);
  }
}

}  // namespace brantel
