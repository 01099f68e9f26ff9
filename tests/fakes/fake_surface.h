#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/keyboard/surface.h"

namespace kirivane::testing {

// Records every drawing operation; text is measured as 7 pixels per byte.
class FakeSurface : public Surface {
 public:
  struct Copy {
    Sheet sheet;
    Cell cell;
    int x;
    int y;
    RasterOp op;
  };
  struct Text {
    int x;
    int top;
    std::string text;
  };
  struct Circle {
    int x;
    int y;
    int radius;
    std::uint32_t rgb;
  };

  void CopyCell(Sheet sheet, const Cell& cell, int dest_x, int dest_y, RasterOp op) override {
    copies.push_back({sheet, cell, dest_x, dest_y, op});
  }
  void PrintText(int x, int top, std::string_view text) override {
    texts.push_back({x, top, std::string(text)});
  }
  int TextWidth(std::string_view text) override { return 7 * static_cast<int>(text.size()); }
  void FillCircle(int x, int y, int radius, std::uint32_t rgb) override {
    circles.push_back({x, y, radius, rgb});
  }
  void Clear() override { ++clears; }
  void Refresh() override { ++refreshes; }

  void Forget() {
    copies.clear();
    texts.clear();
    circles.clear();
    clears = 0;
    refreshes = 0;
  }

  std::vector<Copy> copies;
  std::vector<Text> texts;
  std::vector<Circle> circles;
  int clears = 0;
  int refreshes = 0;
};

}  // namespace kirivane::testing
