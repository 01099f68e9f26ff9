#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "common/keyboard/keyboard_layout.h"

namespace kirivane {
namespace {

// Upper zone of the large keyboard: last column owned by each index 0..36.
constexpr std::array<int, 37> kUpperLastColumn = {
    11,  26,  31,  46,  59,  71,  86,  91,  106, 119, 131, 146, 151, 166, 171, 186, 199, 211, 226,
    231, 246, 259, 271, 286, 291, 306, 311, 326, 339, 351, 366, 371, 386, 399, 411, 426, 439};

TEST(HitTestKey37, UpperZoneGivesBlackKeysTheirFifteenColumns) {
  int index = 0;
  for (int x = 0; x < 440; ++x) {
    if (x > kUpperLastColumn[index]) ++index;
    EXPECT_EQ(HitTestKey37(x, 0), index) << "x " << x;
    EXPECT_EQ(HitTestKey37(x, 64), index) << "x " << x;
  }
}

TEST(HitTestKey37, LowerZoneHasOnlyWhiteKeys) {
  const std::array<int, 22> whites = {0,  2,  4,  5,  7,  9,  10, 12, 14, 16, 17,
                                      19, 21, 22, 24, 26, 28, 29, 31, 33, 34, 36};
  for (int x = 0; x < 440; ++x) {
    EXPECT_EQ(HitTestKey37(x, 65), whites[x / 20]) << "x " << x;
    EXPECT_EQ(HitTestKey37(x, 119), whites[x / 20]) << "x " << x;
  }
}

TEST(HitTestKey37, EdgesOfTheKeyboard) {
  EXPECT_EQ(HitTestKey37(12, 30), 1);
  EXPECT_EQ(HitTestKey37(12, 65), 0);
  EXPECT_EQ(HitTestKey37(439, 100), 36);
  EXPECT_EQ(HitTestKey37(440, 100), -1);
  EXPECT_EQ(HitTestKey37(-1, 100), -1);
  EXPECT_EQ(HitTestKey37(100, -1), -1);
  EXPECT_EQ(HitTestKey37(0, -30000), -1);
  // Below the drawn keys the white keys still answer, as the picture box may be taller.
  EXPECT_EQ(HitTestKey37(10, 500), 0);
}

TEST(HitTestKey128, UpperZoneOfAnOctave) {
  const std::array<std::pair<int, int>, 12> first_last = {{{0, 4},
                                                           {5, 9},
                                                           {10, 12},
                                                           {13, 17},
                                                           {18, 23},
                                                           {24, 28},
                                                           {29, 33},
                                                           {34, 36},
                                                           {37, 41},
                                                           {42, 44},
                                                           {45, 49},
                                                           {50, 55}}};
  for (int octave = 0; octave < 10; ++octave) {
    for (int step = 0; step < 12; ++step) {
      for (int column = first_last[step].first; column <= first_last[step].second; ++column) {
        EXPECT_EQ(HitTestKey128(56 * octave + column, 5), 12 * octave + step);
      }
    }
  }
}

TEST(HitTestKey128, LowerZoneAndEdges) {
  EXPECT_EQ(HitTestKey128(5, -3), 1);  // negative y counts as the upper zone
  EXPECT_EQ(HitTestKey128(5, 13), 1);
  EXPECT_EQ(HitTestKey128(5, 14), 0);
  EXPECT_EQ(HitTestKey128(5, 20), 0);
  EXPECT_EQ(HitTestKey128(8, 20), 2);
  EXPECT_EQ(HitTestKey128(55, 20), 11);
  EXPECT_EQ(HitTestKey128(56, 20), 12);
  EXPECT_EQ(HitTestKey128(599, 20), 127);  // the 75th white key is the top G
  for (int x = 594; x < 600; ++x) EXPECT_EQ(HitTestKey128(x, 5), 127) << x;
  EXPECT_EQ(HitTestKey128(593, 5), 126);
  EXPECT_EQ(HitTestKey128(600, 5), -1);
  EXPECT_EQ(HitTestKey128(-1, 5), -1);
}

TEST(KeyboardLayout, TablesMatchTheDrawnGeometry) {
  EXPECT_EQ(KeyX128(127), 592);
  EXPECT_EQ(KeyType128(127), kWhiteBlackLeft);
  EXPECT_EQ(KeyType128(126), kBlackKey);
  EXPECT_EQ(KeyType128(125), kWhiteBlackRight);
  EXPECT_EQ(KeyType128(115), kWhiteBlackBoth);  // G below the top octave keeps its G#
  EXPECT_EQ(KeyType37(0), kWhiteBlackRight);
  EXPECT_EQ(KeyType37(36), kWhiteBlackLeft);
  EXPECT_EQ(KeyX37(36), 420);
  // Every black key starts 12 (large) or 5 (small) pixels right of the white key before it.
  for (int i = 1; i < 37; ++i)
    if (IsBlackKey(KeyType37(i))) EXPECT_EQ(KeyX37(i), KeyX37(i - 1) + 12) << i;
  for (int n = 1; n < 128; ++n)
    if (IsBlackKey(KeyType128(n))) EXPECT_EQ(KeyX128(n), KeyX128(n - 1) + 5) << n;
}

TEST(KeyboardLayout, NoteNamesAndLabels) {
  EXPECT_EQ(NoteNameText(60, 0), "C4");
  EXPECT_EQ(NoteNameText(60, 1), "C3");
  EXPECT_EQ(NoteNameText(0, 0), "C-1");
  EXPECT_EQ(NoteNameText(127, 0), "G9");
  EXPECT_EQ(NoteNameText(61, 0), "C#4");
  EXPECT_EQ(KeyLabelText("ABC"), "AB");
  EXPECT_EQ(KeyLabelText("\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86"), "\xE3\x81\x82\xE3\x81\x84");
  EXPECT_EQ(CharacterCount("\xE3\x81\x82Q"), 2);
  EXPECT_EQ(KeyLabelText(""), "");
}

}  // namespace
}  // namespace kirivane
