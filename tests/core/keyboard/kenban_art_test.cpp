#include "common/keyboard/kenban_art.h"

#include <gtest/gtest.h>

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
  ASSERT_EQ(pic.width, 249);
  ASSERT_EQ(pic.height, 120);
  ASSERT_EQ(mask.width, 84);
  ASSERT_EQ(mask.height, 120);
  for (int type = 0; type < 3; ++type) {
    for (int look = 0; look < 3; ++look) {
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
  for (int look = 0; look < 3; ++look) {
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

}  // namespace
}  // namespace kirivane
