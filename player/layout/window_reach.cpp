#include "player/layout/window_reach.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kirivane {

namespace {

// Length of the overlap of [a, a + a_len) and [b, b + b_len).
std::int64_t Overlap(std::int64_t a, std::int64_t a_len, std::int64_t b, std::int64_t b_len) {
  return std::max<std::int64_t>(0, std::min(a + a_len, b + b_len) - std::max(a, b));
}

// Gap between [a, a + a_len) and [b, b + b_len); 0 when they overlap.
std::int64_t Gap(std::int64_t a, std::int64_t a_len, std::int64_t b, std::int64_t b_len) {
  if (a + a_len <= b) return b - (a + a_len);
  if (b + b_len <= a) return a - (b + b_len);
  return 0;
}

bool ShowsEnough(const ScreenArea& s, PixelPoint corner, int width, int height) {
  return Overlap(corner.X, width, s.Left, s.Width) >= std::min(width, kReachableSpan) &&
         Overlap(corner.Y, height, s.Top, s.Height) >= std::min(height, kReachableSpan);
}

// The window's start on one axis once it lies within the screen (its start edge when the
// window is larger than the screen).
int Within(int start, int length, int screen_start, int screen_length) {
  const std::int64_t last = std::int64_t{screen_start} + screen_length - length;
  return static_cast<int>(
      std::max<std::int64_t>(screen_start, std::min<std::int64_t>(start, last)));
}

}  // namespace

PixelPoint ReachablePosition(PixelPoint corner, int width, int height,
                             const std::vector<ScreenArea>& screens) {
  const ScreenArea* nearest = nullptr;
  std::int64_t nearest_distance = std::numeric_limits<std::int64_t>::max();
  for (const ScreenArea& s : screens) {
    if (s.Width <= 0 || s.Height <= 0) continue;
    if (ShowsEnough(s, corner, width, height)) return corner;
    const std::int64_t dx = Gap(corner.X, width, s.Left, s.Width);
    const std::int64_t dy = Gap(corner.Y, height, s.Top, s.Height);
    const std::int64_t distance = dx * dx + dy * dy;
    if (distance < nearest_distance) {
      nearest_distance = distance;
      nearest = &s;
    }
  }
  if (!nearest) return corner;
  return {Within(corner.X, width, nearest->Left, nearest->Width),
          Within(corner.Y, height, nearest->Top, nearest->Height)};
}

}  // namespace kirivane
