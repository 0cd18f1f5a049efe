// Copying the section of an intermediate cfg into the combined controller
// file as its lines are made. Two neighbouring port blocks with the same port line
// become one block holding both newseq lines: that is how the increment and
// decrement halves of an analog control end up in one port.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/io/line_file.h"
#include "engine/translate.h"

namespace brantel {

// Slot 1 holds a port line, slot 2 a newseq line, slot 3 a closing line;
// slot 0 is never used. An empty text is an empty slot.
using SlotArray = std::array<std::string, 4>;

// The block waiting to be written (first) and the one that follows it
// (second). Empty whenever a section copy starts and ends.
struct SlotPair {
  SlotArray first;
  SlotArray second;
};

// Copies the raw lines of one section as they come: two empty lines at
// once, the lines with their port blocks merged and their own input and
// system close lines left out, then at End "</input>" and "</system>" anew.
// Holds no more than one port block and the next.
class SectionCopy : public IntermediateSink {
 public:
  SectionCopy(SlotPair& pair, LinePrinter& out);
  void Line(std::string_view raw) override;
  void End();

 private:
  SlotPair& pair_;
  LinePrinter& out_;
  std::string cleaned_;  // kept between lines, so that its room is reused
};

// The same for lines at hand.
void CopySectionLines(const std::vector<std::string>& raw_lines, SlotPair& pair, LinePrinter& out);

}  // namespace brantel
