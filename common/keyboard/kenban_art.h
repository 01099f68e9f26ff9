#pragma once

#include <cstdint>
#include <vector>

namespace kirivane {

// A picture as 0xRRGGBB pixels, row by row.
struct PixelSheet {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  PixelSheet() = default;
  PixelSheet(int w, int h, std::uint32_t fill)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  void Set(int x, int y, std::uint32_t rgb) {
    pixels[static_cast<std::size_t>(y) * width + x] = rgb;
  }
};

// The sprite sheet PicKenban (324 x 120) and the mask sheet MskKenban (84 x 120, black and
// white only), drawn pixel by pixel: the same pictures on every run.
PixelSheet MakePicKenban();
PixelSheet MakeMskKenban();

}  // namespace kirivane
