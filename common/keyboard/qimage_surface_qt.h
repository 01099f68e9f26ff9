#pragma once

#include <QFont>
#include <QImage>
#include <functional>

#include "common/keyboard/surface.h"

namespace kirivane {

// The keyboard surface on a persistent 32-bit image. AND and XOR copies use the painter's
// raster operations, which are exact bitwise operations on 32-bit images.
class QImageSurface : public Surface {
 public:
  // Wide and high enough for both keyboards (the 128-key bar is 600 wide, the large keyboard
  // 120 high). The sheets are the generated PicKenban and MskKenban.
  static constexpr int kWidth = 600;
  static constexpr int kHeight = 120;

  QImageSurface();

  void CopyCell(Sheet sheet, const Cell& cell, int dest_x, int dest_y, RasterOp op) override;
  void PrintText(int x, int top, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  void FillCircle(int centre_x, int centre_y, int radius, std::uint32_t rgb) override;
  void Clear() override;
  void Refresh() override;

  const QImage& Image() const { return image_; }
  const QImage& SpriteSheet() const { return sprite_; }
  // The mask sheet as one bit per pixel.
  const QImage& MaskSheet() const { return mask_bits_; }
  // Called on every refresh; the widget schedules its repaint here.
  void SetRefreshHandler(std::function<void()> handler) { on_refresh_ = std::move(handler); }
  void SetFont(const QFont& font) { font_ = font; }
  const QFont& Font() const { return font_; }

 private:
  QImage image_;
  QImage sprite_;
  QImage mask_bits_;
  QImage mask_;  // the mask sheet widened to 32 bits for the AND copy
  QFont font_;
  std::function<void()> on_refresh_;
};

// The generated sheets as images: the sprite sheet in 32-bit colour, the mask in 1 bit.
QImage MakePicKenbanImage();
QImage MakeMskKenbanImage();

}  // namespace kirivane
