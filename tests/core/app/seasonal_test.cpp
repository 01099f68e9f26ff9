#include "player/app/seasonal.h"

#include <gtest/gtest.h>

namespace kirivane {
namespace {

TEST(Seasonal, LookIsOnFromTheFirstToTheTwentyFifthOfDecember) {
  EXPECT_EQ(DaysToChristmas({2026, 12, 24}), 1);
  EXPECT_EQ(DaysToChristmas({2026, 12, 25}), 0);
  EXPECT_EQ(DaysToChristmas({2026, 12, 26}), -1);
  EXPECT_EQ(DaysToChristmas({2024, 1, 1}), 359);  // leap year
  EXPECT_FALSE(InSeasonalPeriod({2026, 11, 30}));
  EXPECT_TRUE(InSeasonalPeriod({2026, 12, 1}));
  EXPECT_TRUE(InSeasonalPeriod({2026, 12, 10}));
  EXPECT_TRUE(InSeasonalPeriod({2026, 12, 25}));
  EXPECT_FALSE(InSeasonalPeriod({2026, 12, 26}));
  EXPECT_FALSE(InSeasonalPeriod({2026, 6, 15}));
}

}  // namespace
}  // namespace kirivane
