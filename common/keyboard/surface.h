#pragma once

#include <cstdint>
#include <string_view>

namespace kirivane {

// The two pictures the keyboard is drawn from: the colour sprite sheet and its one-bit mask.
enum class Sheet { Sprite, Mask };

// How a copied cell meets the surface: plain copy, bitwise AND, bitwise XOR.
enum class RasterOp { Copy, And, Xor };

// A rectangle of a sheet.
struct Cell {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The keyboard picture: a persistent image that drawing goes to, shown when refreshed.
class Surface {
 public:
  virtual ~Surface() = default;
  virtual void CopyCell(Sheet sheet, const Cell& cell, int dest_x, int dest_y, RasterOp op) = 0;
  // Prints UTF-8 text in the text colour with its top-left corner at (x, top), leaving the
  // pixels between the glyphs as they are.
  virtual void PrintText(int x, int top, std::string_view text) = 0;
  // Width in pixels that the text takes in the surface's font.
  virtual int TextWidth(std::string_view text) = 0;
  // A filled circle, outline and fill in one colour (0xRRGGBB).
  virtual void FillCircle(int centre_x, int centre_y, int radius, std::uint32_t rgb) = 0;
  // Fills the whole surface with its background colour.
  virtual void Clear() = 0;
  // Shows what has been drawn so far.
  virtual void Refresh() = 0;
};

}  // namespace kirivane
