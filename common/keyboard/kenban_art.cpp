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
constexpr int kTopRows = 6;
constexpr int kShadeStart = 96;  // the front of a white key starts to fall away here
constexpr int kLipStart = 112;   // the rounded front edge
constexpr std::array<double, kTopRows> kTopReleased = {0.34, 0.22, 0.13, 0.07, 0.03, 0.01};
constexpr std::array<double, kTopRows> kTopPressed = {0.46, 0.32, 0.20, 0.11, 0.05, 0.02};
constexpr std::array<double, 8> kLipReleased = {0.16, 0.19, 0.23, 0.28, 0.35, 0.44, 0.56, 0.70};
constexpr std::array<double, 8> kLipPressed = {0.09, 0.10, 0.12, 0.15, 0.20, 0.30, 0.44, 0.62};
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
  if (y < kTopRows) amount += (pressed ? kTopPressed : kTopReleased)[static_cast<std::size_t>(y)];
  if (y < kLargeBlackHeight) {
    if (BlackOnLeft(type)) amount += x == 7 ? 0.14 : x == 8 ? 0.05 : 0.0;
    if (BlackOnRight(type)) amount += x == 11 ? 0.14 : x == 10 ? 0.05 : 0.0;
  } else if (y < kLargeBlackHeight + 3) {
    const bool under = (BlackOnLeft(type) && x <= 6) || (BlackOnRight(type) && x >= 12);
    if (under) amount += kUnderBlack[static_cast<std::size_t>(y - kLargeBlackHeight)];
  }
  if (x == kLargeWhiteWidth - 2) amount += 0.07;  // the key's right edge rounds off
  if (y >= kShadeStart && y < kLipStart) {
    const double t = static_cast<double>(y - kShadeStart + 1) / (kLipStart - kShadeStart);
    amount += (pressed ? 0.08 : 0.14) * t * t;
  } else if (y >= kLipStart) {
    amount += (pressed ? kLipPressed : kLipReleased)[static_cast<std::size_t>(y - kLipStart)];
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

// Colours of a large black key's picture.
struct BlackKeyTones {
  std::uint32_t body;
  std::uint32_t outline;
  std::uint32_t gloss;
  std::uint32_t front;
};

BlackKeyTones LargeBlackTones(int look) {
  const std::uint32_t body = kLargeBlackBody[static_cast<std::size_t>(look)];
  if (look == 0) return {body, 0x7A7A84, 0x6A6A78, 0x44444E};
  return {body, Shade(body, 0.45), Mix(body, kWhite, 0.6), Shade(body, 0.22)};
}

// Gloss across the top of a black key: a soft highlight down its left side that fades toward
// the front, and a faint sheen just before the front face.
constexpr std::array<double, 4> kGlossColumns = {0.35, 0.75, 0.45, 0.12};  // columns 2..5
constexpr int kGlossTop = 2;
constexpr int kGlossBottom = 48;
constexpr int kFrontTop = 53;  // where the top of a black key meets its sloping front

std::uint32_t LargeBlackPixel(const BlackKeyTones& tones, int x, int y) {
  const int right = kLargeBlackWidth - 1;
  if (x == 0 || x == right || y == kLargeBlackHeight - 1) return tones.outline;
  const bool side = x == 1 || x == right - 1;
  if (y >= kFrontTop) {
    // Front face: a bright edge where it meets the top, then a gentle fall-off.
    std::uint32_t rgb = y == kFrontTop ? Mix(tones.front, tones.outline, 0.5)
                                       : Mix(tones.front, tones.body, (y - kFrontTop - 1) / 14.0);
    return side ? Mix(rgb, tones.outline, 0.35) : rgb;
  }
  if (side) return Mix(tones.body, tones.outline, 0.30);
  double gloss = 0.0;
  if (x >= 2 && x <= 5 && y >= kGlossTop && y <= kGlossBottom) {
    const double fade = 1.0 - static_cast<double>(y - kGlossTop) / (kGlossBottom - kGlossTop);
    gloss = kGlossColumns[static_cast<std::size_t>(x - 2)] * fade;
  }
  if (y > 40) gloss += 0.02 * (y - 40);  // sheen toward the front
  return Mix(tones.body, tones.gloss, gloss);
}

// A large black key: a thin light outline, a soft gloss, and a lighter sloping front face.
void DrawLargeBlack(PixelSheet& sheet, const Cell& cell, int look) {
  const BlackKeyTones tones = LargeBlackTones(look);
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x)
      sheet.Set(cell.x + x, cell.y + y, LargeBlackPixel(tones, x, y));
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
  for (int look = 0; look < kKeyLooks; ++look) {
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
