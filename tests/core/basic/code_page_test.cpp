#include "common/basic/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace kirivane {
namespace {

// "日本語" in code page 932 and in UTF-8.
const std::string kNihongoCp932 = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string kReplacementUtf8 = "\xEF\xBF\xBD";

TEST(IsValidUtf8, AcceptsWellFormedTextAndRejectsOverlongsSurrogatesAndCuts) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ASCII\r\n"));
  EXPECT_TRUE(IsValidUtf8(kNihongoUtf8));
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x8E\xB9"));  // U+1F3B9, four bytes
  EXPECT_FALSE(IsValidUtf8(kNihongoCp932));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate U+D800
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE6\x97"));          // cut short
  EXPECT_FALSE(IsValidUtf8("a\x80"));             // stray continuation byte
}

TEST(DecodeToUtf8, KeepsUtf8AndReadsEverythingElseAsCp932) {
  EXPECT_EQ(DecodeToUtf8(kNihongoUtf8), kNihongoUtf8);
  EXPECT_EQ(DecodeToUtf8(kNihongoCp932), kNihongoUtf8);
  // Half-width katakana are single bytes: "ｱｲｳ".
  EXPECT_EQ(DecodeToUtf8("\xB1\xB2\xB3"), "\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBD\xB3");
  // "ソ" ends in 0x5C, the byte of the backslash, which must not be read as one.
  EXPECT_EQ(DecodeToUtf8("\x83\x5C"
                         "a\\n"),
            "\xE3\x82\xBD"
            "a\\n");
  // NEC special character "①" and IBM extension "髙" (also from its NEC-selected copy).
  EXPECT_EQ(DecodeToUtf8("\x87\x40"), "\xE2\x91\xA0");
  EXPECT_EQ(DecodeToUtf8("\xFB\xFC"), "\xE9\xAB\x99");
  EXPECT_EQ(DecodeToUtf8("\xEE\xE0"), "\xE9\xAB\x99");
}

TEST(DecodeToUtf8, TurnsUndecodableBytesIntoReplacementCharactersAndKeepsTheRest) {
  // A lead byte at the end, or followed by a byte that cannot trail: only the lead is lost.
  EXPECT_EQ(DecodeToUtf8("ab\x93"), "ab" + kReplacementUtf8);
  EXPECT_EQ(DecodeToUtf8("\x93"
                         "1\x93\xFA"),
            kReplacementUtf8 + "1" + "\xE6\x97\xA5");
  // Bytes that are no character of the code page, and an unassigned pair (0x85 0x40).
  EXPECT_EQ(DecodeToUtf8("\x80\xA0\xFD\xFF"),
            kReplacementUtf8 + kReplacementUtf8 + kReplacementUtf8 + kReplacementUtf8);
  EXPECT_EQ(DecodeToUtf8("\x85\x40x"), kReplacementUtf8 + "x");
  EXPECT_TRUE(IsValidUtf8(DecodeToUtf8("\x81\x7F\xFC\xFC\xA0")));
}

TEST(EncodeCp932, RoundTripsJapaneseTextAndWritesTheWindowsFormOfDuplicates) {
  EXPECT_EQ(EncodeCp932(kNihongoUtf8), kNihongoCp932);
  EXPECT_EQ(EncodeCp932("\xEF\xBD\xB1"), "\xB1");      // "ｱ"
  EXPECT_EQ(EncodeCp932("\xE3\x82\xBD"), "\x83\x5C");  // "ソ"
  EXPECT_EQ(EncodeCp932("\xE9\xAB\x99"), "\xFB\xFC");  // "髙": IBM form, not 0xEE 0xE0
  EXPECT_EQ(EncodeCp932("\xE2\x89\x92"), "\x81\xE0");  // "≒": JIS X 0208 form
  EXPECT_EQ(EncodeCp932(std::string("a\0b", 3)), std::string("a\0b", 3));
  // Every two-byte character of the code page survives the trip through UTF-8.
  int round_trips = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = DecodeToUtf8(bytes);
      if (utf8 == kReplacementUtf8) continue;
      const std::string back = EncodeCp932(utf8);
      ASSERT_EQ(back.size(), 2u) << std::hex << lead << " " << trail;
      EXPECT_EQ(DecodeToUtf8(back), utf8);
      ++round_trips;
    }
  }
  EXPECT_EQ(round_trips, 9604);
}

TEST(EncodeCp932, WritesAQuestionMarkForWhatTheCodePageLacks) {
  EXPECT_EQ(EncodeCp932("\xC3\xA9t\xC3\xA9"), "?t?");  // "été"
  EXPECT_EQ(EncodeCp932("\xF0\x9F\x8E\xB9!"), "?!");   // emoji
  EXPECT_EQ(EncodeCp932("x\xC0\xAFy"), "x??y");        // malformed input, byte by byte
}

TEST(Cp932ByteLength, CountsKanjiTwiceAndHalfWidthKatakanaOnce) {
  EXPECT_EQ(Cp932ByteLength(""), 0u);
  EXPECT_EQ(Cp932ByteLength("abc"), 3u);
  EXPECT_EQ(Cp932ByteLength(kNihongoUtf8), 6u);  // 9 bytes of UTF-8
  EXPECT_EQ(Cp932ByteLength("\xEF\xBD\xB1\xEF\xBD\xB2"), 2u);
  EXPECT_EQ(Cp932ByteLength("\xC3\xA9"), 1u);  // written as '?'
  const std::string mixed = "Piano " + kNihongoUtf8 + "\xEF\xBD\xB1";
  EXPECT_EQ(Cp932ByteLength(mixed), EncodeCp932(mixed).size());
}

}  // namespace
}  // namespace kirivane
