#pragma once

#include <array>
#include <cstdint>

#include "common/keyboard/keyboard_layout.h"
#include "common/keyboard/surface.h"

namespace kirivane {

// Where every key picture lies in the sprite sheet PicKenban and the mask sheet MskKenban.
// Looks are indexed by DownState: 0 released, 1 pressed by the user, 2 pressed by playback,
// 3 pressed from the MIDI input. The cells of looks 0..2 keep their classic places; the MIDI
// input's large keys sit in a strip added on the right (x 249..323), its small keys in the
// room left free below and beside the small cells.

inline constexpr int kKeyLooks = 4;
inline constexpr int kPicKenbanWidth = 324;
inline constexpr int kPicKenbanHeight = 120;
inline constexpr int kMskKenbanWidth = 84;
inline constexpr int kMskKenbanHeight = 120;

namespace kenban_detail {

template <typename Make>
constexpr std::array<std::array<Cell, kKeyLooks>, 3> ByTypeAndLook(Make make) {
  std::array<std::array<Cell, kKeyLooks>, 3> cells{};
  for (int type = 0; type < 3; ++type) {
    for (int look = 0; look < kKeyLooks; ++look) cells[type][look] = make(type, look);
  }
  return cells;
}

inline constexpr int kMidiInStripX = 249;

}  // namespace kenban_detail

// [type][look] for white keys, [look] for black keys, [type] for masks.
inline constexpr auto kLargeWhiteCells = kenban_detail::ByTypeAndLook([](int type, int look) {
  const int x = look == kShownByMidiIn ? kenban_detail::kMidiInStripX : 60 * look;
  return Cell{x + 20 * type, 0, 20, 120};
});
inline constexpr std::array<Cell, kKeyLooks> kLargeBlackCells = {
    Cell{180, 0, 15, 64}, Cell{195, 0, 15, 64}, Cell{210, 0, 15, 64}, Cell{309, 0, 15, 64}};
inline constexpr std::array<Cell, 3> kLargeWhiteMasks = {Cell{0, 0, 20, 120}, Cell{20, 0, 20, 120},
                                                         Cell{40, 0, 20, 120}};

inline constexpr auto kSmallWhiteCells = kenban_detail::ByTypeAndLook([](int type, int look) {
  return Cell{225 + 8 * type, 25 * look, 8, 25};
});
inline constexpr std::array<Cell, kKeyLooks> kSmallBlackCells = {
    Cell{180, 64, 5, 14}, Cell{185, 64, 5, 14}, Cell{190, 64, 5, 14}, Cell{195, 64, 5, 14}};
inline constexpr std::array<Cell, 3> kSmallWhiteMasks = {Cell{60, 0, 8, 25}, Cell{68, 0, 8, 25},
                                                         Cell{76, 0, 8, 25}};

// Body colours of each look (0xRRGGBB): the flat middle of the key picture. The MIDI input's
// keys are a pale green, apart from the user's blue and playback's pink.
inline constexpr std::array<std::uint32_t, kKeyLooks> kLargeWhiteBody = {0xFFFFFF, 0xE7EAF8,
                                                                         0xFEE4EA, 0xE0F4E2};
inline constexpr std::array<std::uint32_t, kKeyLooks> kLargeBlackBody = {0x16161A, 0xCCD2E7,
                                                                         0xFEDBE0, 0xC2E4C8};
inline constexpr std::array<std::uint32_t, kKeyLooks> kSmallWhiteBody = {0xFFFFFF, 0xCBDCFC,
                                                                         0xFAD1DC, 0xC4EDCC};
inline constexpr std::array<std::uint32_t, kKeyLooks> kSmallBlackBody = {0x141418, 0xA4B3CC,
                                                                         0xCBA9B3, 0x9CC8A6};

// Surface colours.
inline constexpr std::uint32_t kSurfaceBackground = 0xFFFFFF;
inline constexpr std::uint32_t kSurfaceTextColour = 0xA2C9FF;  // RGB(162,201,255)
inline constexpr std::uint32_t kHomeCMarkColour = 0xFF4E4E;    // RGB(255,78,78)

}  // namespace kirivane
