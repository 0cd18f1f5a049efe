#include "ui/form_layout.h"

namespace brantel {

LabelFit FitLabels(int label_left, int box_left, int box_right, int label_width) {
  if (label_left + label_width <= box_right) return {label_left, 0};
  if (box_left + label_width <= box_right) return {box_left, 0};
  return {box_left, box_left + label_width - box_right};
}

}  // namespace brantel
