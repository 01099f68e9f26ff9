#include "player/smf/meta_text.h"

#include <gtest/gtest.h>

namespace kirivane {
namespace {

TEST(MetaText, Utf8IsKeptAndCodePage932IsDecoded) {
  EXPECT_EQ(DecodeMetaText("Song"), "Song");
  EXPECT_EQ(DecodeMetaText("\xE6\x97\xA5\xE6\x9C\xAC"), "\xE6\x97\xA5\xE6\x9C\xAC");  // UTF-8
  EXPECT_EQ(DecodeMetaText("\x93\xFA\x96\x7B"), "\xE6\x97\xA5\xE6\x9C\xAC");  // CP932 "日本"
  EXPECT_EQ(DecodeMetaText("\xB6\xB7"), "\xEF\xBD\xB6\xEF\xBD\xB7");          // half-width katakana
}

TEST(MetaText, PaddingAfterThePrintableCharactersGoes) {
  EXPECT_EQ(DecodeMetaText(std::string("Title\0\0\0", 8)), "Title");
  EXPECT_EQ(DecodeMetaText(std::string("\0", 1)), "");  // the empty text of an export
  // Two printable characters keep three characters: the third (0x01) stays, the rest goes.
  EXPECT_EQ(DecodeMetaText(std::string("\x93\xFA"
                                       "A\x01\x02\x03\x80",
                                       7)),
            "\xE6\x97\xA5"
            "A\x01");
}

}  // namespace
}  // namespace kirivane
