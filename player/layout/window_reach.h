#pragma once

#include <vector>

#include "player/layout/screen_metrics.h"

namespace kirivane {

// The top-left corner of a window frame on the virtual desktop, in pixels.
struct PixelPoint {
  int X = 0;
  int Y = 0;
};

// How much of a window, across and down, a screen must show for a person to reach it (all of
// it when the window is smaller).
inline constexpr int kReachableSpan = 40;

// Where a window of width x height at `corner` can be reached: where it is while a screen shows
// enough of it; otherwise (its monitor is gone, or a saved place lies far off) wholly on the
// nearest screen, the primary one on a tie. With no screens known it stays where it is.
PixelPoint ReachablePosition(PixelPoint corner, int width, int height,
                             const std::vector<ScreenArea>& screens);

}  // namespace kirivane
