#include "common/keyboard/kenban_art.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/keyboard/kenban_cells.h"
#include "common/keyboard/keyboard_layout.h"

namespace kirivane {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// Shadow amounts, row by row, of the top and the front edge of the white keys.
constexpr std::array<double, 4> kTopReleased = {0.30, 0.16, 0.07, 0.02};
constexpr std::array<double, 4> kTopPressed = {0.42, 0.26, 0.13, 0.05};
constexpr std::array<double, 6> kLipReleased = {0.10, 0.15, 0.21, 0.30, 0.42, 0.58};
constexpr std::array<double, 6> kLipPressed = {0.04, 0.07, 0.11, 0.18, 0.30, 0.48};
constexpr std::array<double, 3> kUnderBlack = {0.16, 0.08, 0.03};
constexpr std::array<double, 3> kSmallLip = {0.10, 0.22, 0.40};

int Red(std::uint32_t rgb) {
  return static_cast<int>((rgb >> 16) & 0xFF);
}
int Green(std::uint32_t rgb) {
  return static_cast<int>((rgb >> 8) & 0xFF);
}
int Blue(std::uint32_t rgb) {
  return static_cast<int>(rgb & 0xFF);
}

std::uint32_t MakeRgb(double r, double g, double b) {
  auto channel = [](double value) {
    return static_cast<std::uint32_t>(std::clamp(static_cast<int>(std::lround(value)), 0, 255));
  };
  return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

std::uint32_t Mix(std::uint32_t from, std::uint32_t to, double amount) {
  if (amount <= 0.0) return from;
  amount = std::min(amount, 1.0);
  return MakeRgb(Red(from) + (Red(to) - Red(from)) * amount,
                 Green(from) + (Green(to) - Green(from)) * amount,
                 Blue(from) + (Blue(to) - Blue(from)) * amount);
}

// The shadow tone of a colour: darker, a little toward blue, as under a cool room light.
std::uint32_t ShadowOf(std::uint32_t rgb) {
  return MakeRgb(Red(rgb) * 0.42, Green(rgb) * 0.43, Blue(rgb) * 0.50);
}

std::uint32_t Shade(std::uint32_t rgb, double amount) {
  return Mix(rgb, ShadowOf(rgb), amount);
}

// Columns of a white key's cell that a neighbouring black key covers, above the black keys'
// lower end. Large keys: a black key reaches 8 columns into the key on its left and 7 into the
// key on its right; small keys 3 and 2.
bool BlackOnLeft(int type) {
  return type == kWhiteBlackBoth || type == kWhiteBlackLeft;
}
bool BlackOnRight(int type) {
  return type == kWhiteBlackRight || type == kWhiteBlackBoth;
}

bool CoveredLarge(int type, int x, int y) {
  if (y >= kLargeBlackHeight) return false;
  return (BlackOnLeft(type) && x <= 6) || (BlackOnRight(type) && x >= 12);
}

bool CoveredSmall(int type, int x, int y) {
  if (y >= kSmallBlackHeight) return false;
  return (BlackOnLeft(type) && x <= 1) || (BlackOnRight(type) && x >= 5);
}

// How much shadow falls on a pixel of a large white key: the fallboard at the top, the black
// keys beside and above, the rounded front edge at the bottom. A pressed key sits lower, so
// its top shadow is deeper and its front edge shorter.
double LargeWhiteShadow(int type, int x, int y, bool pressed) {
  if (x == kLargeWhiteWidth - 1) return 0.55;  // the gap to the next key
  double amount = 0.0;
  if (y < 4) amount += (pressed ? kTopPressed : kTopReleased)[static_cast<std::size_t>(y)];
  if (y < kLargeBlackHeight) {
    if (BlackOnLeft(type)) amount += x == 7 ? 0.10 : x == 8 ? 0.04 : 0.0;
    if (BlackOnRight(type)) amount += x == 11 ? 0.10 : x == 10 ? 0.04 : 0.0;
  } else if (y < kLargeBlackHeight + 3) {
    const bool under = (BlackOnLeft(type) && x <= 6) || (BlackOnRight(type) && x >= 12);
    if (under) amount += kUnderBlack[static_cast<std::size_t>(y - kLargeBlackHeight)];
  }
  if (x == kLargeWhiteWidth - 2) amount += 0.07;  // the key's right edge rounds off
  if (y >= 100 && y < 114) {
    const double t = (y - 99) / 14.0;
    amount += (pressed ? 0.05 : 0.08) * t * t;
  } else if (y >= 114) {
    amount += (pressed ? kLipPressed : kLipReleased)[static_cast<std::size_t>(y - 114)];
  }
  return amount;
}

void DrawLargeWhite(PixelSheet& sheet, const Cell& cell, int type, int look) {
  const std::uint32_t body = kLargeWhiteBody[static_cast<std::size_t>(look)];
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      const std::uint32_t rgb =
          CoveredLarge(type, x, y) ? kBlack : Shade(body, LargeWhiteShadow(type, x, y, look != 0));
      sheet.Set(cell.x + x, cell.y + y, rgb);
    }
  }
}

// A large black key: a thin light outline, a soft gloss down its left side, and a lighter
// sloping front face at the bottom.
void DrawLargeBlack(PixelSheet& sheet, const Cell& cell, int look) {
  const std::uint32_t body = kLargeBlackBody[static_cast<std::size_t>(look)];
  const bool released = look == 0;
  const std::uint32_t outline = released ? 0x76767F : Shade(body, 0.45);
  const std::uint32_t gloss = released ? 0x5E5E6A : Mix(body, kWhite, 0.55);
  const std::uint32_t front = released ? 0x40404A : Shade(body, 0.22);
  const int right = cell.width - 1;
  const int bottom = cell.height - 1;
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      std::uint32_t rgb = body;
      if (x == 0 || x == right || y == bottom) {
        rgb = outline;
      } else if (y >= 53) {
        // Front face: a bright edge where it meets the top, then a gentle fall-off.
        rgb = y == 53 ? Mix(front, outline, 0.5) : Mix(front, body, (y - 54) / 14.0);
        if (x == 1 || x == right - 1) rgb = Mix(rgb, outline, 0.35);
      } else {
        if (x == 1 || x == right - 1) rgb = Mix(body, outline, 0.30);
        if (x >= 2 && x <= 4 && y >= 2 && y <= 46) {
          const double fade = 1.0 - (y - 2) / 44.0;
          rgb = Mix(body, gloss, (x == 3 ? 0.75 : 0.35) * fade);
        }
      }
      sheet.Set(cell.x + x, cell.y + y, rgb);
    }
  }
}

void DrawSmallWhite(PixelSheet& sheet, const Cell& cell, int type, int look) {
  const std::uint32_t body = kSmallWhiteBody[static_cast<std::size_t>(look)];
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      if (CoveredSmall(type, x, y)) {
        sheet.Set(cell.x + x, cell.y + y, kBlack);
        continue;
      }
      double amount = 0.0;
      if (x == cell.width - 1) amount = 0.50;
      if (y == 0) amount += 0.12;
      if (y == kSmallBlackHeight &&
          ((BlackOnLeft(type) && x <= 1) || (BlackOnRight(type) && x >= 5)))
        amount += 0.12;
      if (y >= cell.height - 3)
        amount += kSmallLip[static_cast<std::size_t>(y - (cell.height - 3))];
      sheet.Set(cell.x + x, cell.y + y, Shade(body, amount));
    }
  }
}

void DrawSmallBlack(PixelSheet& sheet, const Cell& cell, int look) {
  const std::uint32_t body = kSmallBlackBody[static_cast<std::size_t>(look)];
  const std::uint32_t edge = look == 0 ? 0x5A5A64 : Shade(body, 0.35);
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      std::uint32_t rgb = body;
      if (y == cell.height - 1) {
        rgb = edge;
      } else if (y == cell.height - 2) {
        rgb = Mix(body, edge, 0.5);
      } else if (x == 0 || x == cell.width - 1) {
        rgb = Mix(body, edge, 0.45);
      }
      sheet.Set(cell.x + x, cell.y + y, rgb);
    }
  }
}

void DrawMask(PixelSheet& sheet, const Cell& cell, int type, bool large) {
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      const bool covered = large ? CoveredLarge(type, x, y) : CoveredSmall(type, x, y);
      sheet.Set(cell.x + x, cell.y + y, covered ? kWhite : kBlack);
    }
  }
}

}  // namespace

PixelSheet MakePicKenban() {
  PixelSheet sheet(kPicKenbanWidth, kPicKenbanHeight, kWhite);
  for (int look = 0; look < 3; ++look) {
    for (int type = 0; type < 3; ++type) {
      DrawLargeWhite(sheet, kLargeWhiteCells[type][look], type, look);
      DrawSmallWhite(sheet, kSmallWhiteCells[type][look], type, look);
    }
    DrawLargeBlack(sheet, kLargeBlackCells[look], look);
    DrawSmallBlack(sheet, kSmallBlackCells[look], look);
  }
  return sheet;
}

PixelSheet MakeMskKenban() {
  PixelSheet sheet(kMskKenbanWidth, kMskKenbanHeight, kWhite);
  for (int type = 0; type < 3; ++type) {
    DrawMask(sheet, kLargeWhiteMasks[type], type, true);
    DrawMask(sheet, kSmallWhiteMasks[type], type, false);
  }
  return sheet;
}

}  // namespace kirivane
