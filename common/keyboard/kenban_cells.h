#pragma once

#include <array>
#include <cstdint>

#include "common/keyboard/surface.h"

namespace kirivane {

// Where every key picture lies in the sprite sheet PicKenban and the mask sheet MskKenban.
// Looks are indexed by DownState: 0 released, 1 pressed by the user, 2 pressed by playback.

inline constexpr int kPicKenbanWidth = 249;
inline constexpr int kPicKenbanHeight = 120;
inline constexpr int kMskKenbanWidth = 84;
inline constexpr int kMskKenbanHeight = 120;

namespace kenban_detail {

template <typename Make>
constexpr std::array<std::array<Cell, 3>, 3> ByTypeAndLook(Make make) {
  std::array<std::array<Cell, 3>, 3> cells{};
  for (int type = 0; type < 3; ++type) {
    for (int look = 0; look < 3; ++look) cells[type][look] = make(type, look);
  }
  return cells;
}

}  // namespace kenban_detail

// [type][look] for white keys, [look] for black keys, [type] for masks.
inline constexpr auto kLargeWhiteCells = kenban_detail::ByTypeAndLook([](int type, int look) {
  return Cell{60 * look + 20 * type, 0, 20, 120};
});
inline constexpr std::array<Cell, 3> kLargeBlackCells = {Cell{180, 0, 15, 64}, Cell{195, 0, 15, 64},
                                                         Cell{210, 0, 15, 64}};
inline constexpr std::array<Cell, 3> kLargeWhiteMasks = {Cell{0, 0, 20, 120}, Cell{20, 0, 20, 120},
                                                         Cell{40, 0, 20, 120}};

inline constexpr auto kSmallWhiteCells = kenban_detail::ByTypeAndLook([](int type, int look) {
  return Cell{225 + 8 * type, 25 * look, 8, 25};
});
inline constexpr std::array<Cell, 3> kSmallBlackCells = {Cell{180, 64, 5, 14}, Cell{185, 64, 5, 14},
                                                         Cell{190, 64, 5, 14}};
inline constexpr std::array<Cell, 3> kSmallWhiteMasks = {Cell{60, 0, 8, 25}, Cell{68, 0, 8, 25},
                                                         Cell{76, 0, 8, 25}};

// Body colours of each look (0xRRGGBB): the flat middle of the key picture.
inline constexpr std::array<std::uint32_t, 3> kLargeWhiteBody = {0xFFFFFF, 0xE7EAF8, 0xFEE4EA};
inline constexpr std::array<std::uint32_t, 3> kLargeBlackBody = {0x16161A, 0xCCD2E7, 0xFEDBE0};
inline constexpr std::array<std::uint32_t, 3> kSmallWhiteBody = {0xFFFFFF, 0xCBDCFC, 0xFAD1DC};
inline constexpr std::array<std::uint32_t, 3> kSmallBlackBody = {0x141418, 0xA4B3CC, 0xCBA9B3};

// Surface colours.
inline constexpr std::uint32_t kSurfaceBackground = 0xFFFFFF;
inline constexpr std::uint32_t kSurfaceTextColour = 0xA2C9FF;  // RGB(162,201,255)
inline constexpr std::uint32_t kHomeCMarkColour = 0xFF4E4E;    // RGB(255,78,78)

}  // namespace kirivane
