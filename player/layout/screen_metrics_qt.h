#pragma once

#include "player/layout/screen_metrics.h"

class QScreen;

namespace kirivane {

// Measures the screen once at start-up: 15 twips per pixel on both axes, caption and frame
// sizes from the style, the whole screen and its work area, and the work areas of every screen
// of the virtual desktop (this one first).
ScreenMetrics ReadScreenMetrics(const QScreen* screen);

}  // namespace kirivane
