// How the main window makes room for its first label in whatever font the
// system gives it: the layout's places stand, scaled, as long as the label
// ends above its box; otherwise the labels move to the boxes' left edge, and
// when that is not enough either, the window and the boxes grow.
#pragma once

namespace brantel {

struct LabelFit {
  int label_left;    // where every label starts
  int box_growth;    // how much wider the boxes (and the window) become
};

// All in pixels of the scaled layout: the labels' and the boxes' left edge,
// the boxes' right edge and the width of the widest label's text.
LabelFit FitLabels(int label_left, int box_left, int box_right, int label_width);

}  // namespace brantel
