#include "player/layout/screen_metrics.h"

#include <cmath>

namespace kirivane {

namespace {

int FloorDiv2(int value) {
  return static_cast<int>(std::floor(value / 2.0));
}

}  // namespace

DefaultWindowPositions ComputeDefaultPositions(const ScreenMetrics& s) {
  DefaultWindowPositions d;
  d.Mode0Left = FloorDiv2(s.FullScreenWidth - 2 * s.FrameWidth - 472);
  d.Mode0Top = FloorDiv2(s.FullScreenHeight - (s.CaptionHeight + 2 * s.FrameHeight + 565));
  d.Mode12Left = FloorDiv2(s.FullScreenWidth + 2 * s.FrameWidth - 669);
  d.Mode12Top = FloorDiv2(s.FullScreenHeight - 120 + s.CaptionHeight + 2 * s.FrameHeight);
  return d;
}

}  // namespace kirivane
