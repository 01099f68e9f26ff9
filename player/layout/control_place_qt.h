#pragma once

#include <QWidget>

#include "player/layout/control_layout.h"

namespace kirivane {

// Moves the widget to its place and shows or hides it; a size of -1 keeps the widget's own.
void PlaceWidget(QWidget* widget, const ControlPlace& place);

}  // namespace kirivane
