#include "ui/form_layout.h"

namespace brantel {

LabelFit FitLabels(int label_left, int box_left, int box_right, int label_width) {
  if (label_left + label_width <= box_right) return {label_left, 0};
  if (box_left + label_width <= box_right) return {box_left, 0};
  return {box_left, box_left + label_width - box_right};
}

namespace {

std::wstring WrappedLine(std::wstring line, size_t width) {
  std::wstring wrapped;
  while (line.size() > width) {
    size_t end = line.find_last_of(L" \\/", width - 1);
    end = end == std::wstring::npos || end == 0 ? width : end + 1;
    std::wstring piece = line.substr(0, end);
    if (piece.back() == L' ') piece.pop_back();  // the space becomes the line's end
    wrapped += piece + L'\n';
    line.erase(0, end);
  }
  return wrapped + line;
}

}  // namespace

std::wstring WrappedLines(const std::wstring& text, size_t width) {
  if (width == 0) return text;
  std::wstring wrapped;
  size_t start = 0;
  for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    wrapped += WrappedLine(text.substr(start, end - start), width) + L'\n';
  }
  return wrapped + WrappedLine(text.substr(start), width);
}

}  // namespace brantel
