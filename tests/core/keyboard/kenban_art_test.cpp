#include "common/keyboard/kenban_art.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/keyboard/kenban_cells.h"

namespace kirivane {
namespace {

// The white keys are drawn by ANDing the mask and XORing the sprite; that leaves the black
// keys on the surface only when the sprite is black exactly where the mask is white.
void ExpectMaskMatchesSprite(const PixelSheet& pic, const PixelSheet& mask, const Cell& sprite,
                             const Cell& mask_cell) {
  for (int y = 0; y < sprite.height; ++y) {
    for (int x = 0; x < sprite.width; ++x) {
      const bool covered = mask.At(mask_cell.x + x, mask_cell.y + y) == 0xFFFFFF;
      const std::uint32_t pixel = pic.At(sprite.x + x, sprite.y + y);
      if (covered) {
        ASSERT_EQ(pixel, 0u) << "cell " << sprite.x << "," << sprite.y << " at " << x << "," << y;
      } else {
        ASSERT_NE(pixel, 0u) << "cell " << sprite.x << "," << sprite.y << " at " << x << "," << y;
      }
    }
  }
}

TEST(KenbanSheets, MasksAndSpritesAgreeForEveryWhiteKey) {
  const PixelSheet pic = MakePicKenban();
  const PixelSheet mask = MakeMskKenban();
  ASSERT_EQ(pic.width, 324);
  ASSERT_EQ(pic.height, 120);
  ASSERT_EQ(mask.width, 84);
  ASSERT_EQ(mask.height, 120);
  for (int type = 0; type < 3; ++type) {
    for (int look = 0; look < kKeyLooks; ++look) {
      ExpectMaskMatchesSprite(pic, mask, kLargeWhiteCells[type][look], kLargeWhiteMasks[type]);
      ExpectMaskMatchesSprite(pic, mask, kSmallWhiteCells[type][look], kSmallWhiteMasks[type]);
    }
  }
}

TEST(KenbanSheets, MaskIsOneBitAndCoversTheBlackKeys) {
  const PixelSheet mask = MakeMskKenban();
  for (auto pixel : mask.pixels) EXPECT_TRUE(pixel == 0 || pixel == 0xFFFFFF);
  // Type 1 (D): black keys reach 7 columns in from the left and 8 from the right, 64 rows down.
  const Cell d = kLargeWhiteMasks[1];
  EXPECT_EQ(mask.At(d.x + 6, 63), 0xFFFFFFu);
  EXPECT_EQ(mask.At(d.x + 7, 63), 0u);
  EXPECT_EQ(mask.At(d.x + 12, 0), 0xFFFFFFu);
  EXPECT_EQ(mask.At(d.x + 11, 0), 0u);
  EXPECT_EQ(mask.At(d.x + 12, 64), 0u);
  const Cell small_e = kSmallWhiteMasks[2];
  EXPECT_EQ(mask.At(small_e.x + 1, 13), 0xFFFFFFu);
  EXPECT_EQ(mask.At(small_e.x + 2, 13), 0u);
  EXPECT_EQ(mask.At(small_e.x + 7, 0), 0u);
}

TEST(KenbanSheets, EveryLookHasItsBodyColourAndShading) {
  const PixelSheet pic = MakePicKenban();
  for (int look = 0; look < kKeyLooks; ++look) {
    for (int type = 0; type < 3; ++type) {
      const Cell large = kLargeWhiteCells[type][look];
      EXPECT_EQ(pic.At(large.x + 10, large.y + 90), kLargeWhiteBody[look]);
      // The front edge is darker than the body.
      EXPECT_LT(pic.At(large.x + 10, large.y + 119) & 0xFF, kLargeWhiteBody[look] & 0xFF);
      const Cell small = kSmallWhiteCells[type][look];
      EXPECT_EQ(pic.At(small.x + 3, small.y + 18), kSmallWhiteBody[look]);
    }
    const Cell black = kLargeBlackCells[look];
    EXPECT_EQ(pic.At(black.x + 8, black.y + 30), kLargeBlackBody[look]);
    EXPECT_NE(pic.At(black.x, black.y + 30), kLargeBlackBody[look]);  // outline
    const Cell small_black = kSmallBlackCells[look];
    EXPECT_EQ(pic.At(small_black.x + 2, small_black.y + 6), kSmallBlackBody[look]);
  }
}

// FNV-1a over the red, green and blue bytes of a cell's pixels.
std::uint64_t HashCell(const PixelSheet& sheet, const Cell& cell, std::uint64_t hash) {
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      const std::uint32_t pixel = sheet.At(cell.x + x, cell.y + y);
      for (int shift = 0; shift < 24; shift += 8) {
        hash ^= (pixel >> shift) & 0xFF;
        hash *= 1099511628211ull;
      }
    }
  }
  return hash;
}

TEST(KenbanSheets, TheMidiInputLookLeavesTheClassicCellsAsTheyWere) {
  const PixelSheet pic = MakePicKenban();
  std::uint64_t hash = 14695981039346656037ull;
  for (int look = 0; look < 3; ++look) {
    for (int type = 0; type < 3; ++type) {
      hash = HashCell(pic, kLargeWhiteCells[type][look], hash);
      hash = HashCell(pic, kSmallWhiteCells[type][look], hash);
    }
    hash = HashCell(pic, kLargeBlackCells[look], hash);
    hash = HashCell(pic, kSmallBlackCells[look], hash);
  }
  EXPECT_EQ(hash, 0xf862fb38c6bf5ea2ull) << "a cell of looks 0..2 changed";
  const PixelSheet mask = MakeMskKenban();
  EXPECT_EQ(HashCell(mask, Cell{0, 0, mask.width, mask.height}, 14695981039346656037ull),
            0xd94b73dd91cd582dull);
  // The new cells overlap none of the old ones.
  auto overlaps = [](const Cell& a, const Cell& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
  };
  std::vector<Cell> classic;
  std::vector<Cell> added{kLargeBlackCells[kShownByMidiIn], kSmallBlackCells[kShownByMidiIn]};
  for (int look = 0; look < 3; ++look) {
    classic.push_back(kLargeBlackCells[look]);
    classic.push_back(kSmallBlackCells[look]);
    for (int type = 0; type < 3; ++type) {
      classic.push_back(kLargeWhiteCells[type][look]);
      classic.push_back(kSmallWhiteCells[type][look]);
    }
  }
  for (int type = 0; type < 3; ++type) {
    added.push_back(kLargeWhiteCells[type][kShownByMidiIn]);
    added.push_back(kSmallWhiteCells[type][kShownByMidiIn]);
  }
  for (const Cell& a : added) {
    EXPECT_LE(a.x + a.width, pic.width);
    EXPECT_LE(a.y + a.height, pic.height);
    for (const Cell& b : classic) EXPECT_FALSE(overlaps(a, b)) << a.x << "," << a.y;
    for (const Cell& b : added) EXPECT_TRUE(&a == &b || !overlaps(a, b)) << a.x << "," << a.y;
  }
}

}  // namespace
}  // namespace kirivane
