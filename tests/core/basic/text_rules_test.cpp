#include "common/basic/text_rules.h"

#include <gtest/gtest.h>

#include <limits>

namespace kirivane {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
  EXPECT_EQ(LeadingNumber("12abc"), 12.0);
  EXPECT_EQ(LeadingNumber("  -3.5x"), -3.5);
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1e3x"), 1000.0);
  EXPECT_EQ(LeadingNumber("7e"), 7.0);
  EXPECT_EQ(LeadingNumber("1e999"), 0.0);  // overflow is not a number
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(LeadingInteger("12.5ms"), 12);
  EXPECT_EQ(LeadingInteger("13.5"), 14);
}

TEST(IntegerPartAndTruncate, DifferOnNegativeFractions) {
  EXPECT_EQ(IntegerPart(-2.5), -3);
  EXPECT_EQ(Truncate(-2.5), -2);
  EXPECT_EQ(IntegerPart(2.9), 2);
  EXPECT_EQ(Truncate(2.9), 2);
}

TEST(RoundHalfEvenIntegerPartAndTruncate, HoldHugeNumbersAtTheEndsOfTheRange) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  // A long run of typed digits is a finite double far beyond 64 bits.
  EXPECT_EQ(RoundHalfEven(LeadingNumber("99999999999999999999999")), kMax);
  EXPECT_EQ(RoundHalfEven(-1e300), kMin);
  EXPECT_EQ(IntegerPart(1e19), kMax);
  EXPECT_EQ(IntegerPart(-1e19), kMin);
  EXPECT_EQ(Truncate(9223372036854775808.0), kMax);
  EXPECT_EQ(Truncate(-9223372036854775808.0), kMin);
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(LeadingInteger("1e300"), kMax);
}

TEST(SplitKeepEmpty, KeepsEmptyPieces) {
  EXPECT_EQ(SplitKeepEmpty("a,,b", ","), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitKeepEmpty("", ","), (std::vector<std::string>{""}));
  EXPECT_EQ(SplitKeepEmpty("a,", ","), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitKeepEmpty("\"a b\" \"c", " \""), (std::vector<std::string>{"\"a b\"", "c"}));
}

TEST(CaseHelpers, CompareEndingsWithoutCase) {
  EXPECT_TRUE(EndsWithNoCase("song.Lyr", "LYR"));
  EXPECT_FALSE(EndsWithNoCase("yr", "LYR"));
  EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
}

}  // namespace
}  // namespace kirivane
