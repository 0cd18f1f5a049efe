// The version in the Qt window: "About brantel Manager..." in its context
// menu (a right click on the window), which the layout leaves no room for.
#pragma once

class QWidget;

namespace brantel {

void AddAboutToContextMenu(QWidget& form);

}  // namespace brantel
