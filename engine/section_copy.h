// Copying the section of an intermediate cfg file into the combined
// controller file. Two neighbouring port blocks with the same port line
// become one block holding both newseq lines: that is how the increment and
// decrement halves of an analog control end up in one port.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/io/line_file.h"
#include "engine/window.h"

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

// Copies the raw lines of one section: two empty lines, the lines with their
// port blocks merged and their own input and system close lines left out,
// then "</input>" and "</system>" anew.
void CopySectionLines(const std::vector<std::string>& raw_lines, SlotPair& pair, LinePrinter& out);

// The same for the file at `path`; throws IoError when it cannot be read.
void CopySection(const std::string& path, SlotPair& pair, LinePrinter& out);

// Copies the section of every file of `tlist`, in order, with a pair of its
// own; `before_each`, when given, learns each file's path before its copy.
void Add2xml(const HiddenList& tlist, LinePrinter& out,
             const std::function<void(const std::string&)>& before_each = {});

}  // namespace brantel
