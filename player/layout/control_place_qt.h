#pragma once

#include <QWidget>

#include "player/layout/control_layout.h"

namespace kirivane {

// Moves a shown control to its place (a size of -1 keeps the widget's own) and shows it, or
// hides a control the mode does not show.
void PlaceWidget(QWidget* widget, const ControlPlace& place);

}  // namespace kirivane
