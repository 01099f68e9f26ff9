#include "common/keymap/keymap_format.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/basic/text_file.h"
#include "fakes/test_paths.h"

namespace kirivane {
namespace {

TEST(KeyMapText, ReadsRecordsFromCrLfAndLfLinesSkippingEmptyOnesAndExtraFields) {
  const auto text = ParseKeyMapText("1\tQ\t81\r\n\r\n 12x\tAB\t65.9\textra\n0\t\t-3\n");
  ASSERT_TRUE(text.ok());
  ASSERT_EQ(text.records.size(), 3u);
  EXPECT_EQ(text.records[0].position, 1);
  EXPECT_EQ(text.records[0].label, "Q");
  EXPECT_EQ(text.records[0].code, 81);
  EXPECT_EQ(text.records[1].position, 12);  // leading number, blanks skipped
  EXPECT_EQ(text.records[1].code, 65);      // truncated, not rounded
  EXPECT_EQ(text.records[2].code, -3);
  EXPECT_EQ(KeyMapNumber("abc"), 0);
  EXPECT_EQ(KeyMapNumber("-0.7"), 0);
  EXPECT_EQ(KeyMapNumber("1e300"), 2147483647);  // held at the 32-bit range, never overflows
}

TEST(KeyMapText, ALineOfTwoFieldsRejectsTheWholeText) {
  const auto text = ParseKeyMapText("1\tQ\t81\r\n2\tW\r\n3\tE\t69\r\n");
  EXPECT_FALSE(text.ok());
  EXPECT_EQ(text.bad_line, 2);
  EXPECT_TRUE(text.records.empty());
}

TEST(KeyLabel, DropsQuotesAndKeepsTwoCharacters) {
  EXPECT_EQ(KeyLabelOf("\"AB\""), "AB");
  EXPECT_EQ(KeyLabelOf("ABC"), "AB");
  EXPECT_EQ(KeyLabelOf("A\"\"B\"C"), "AB");
  EXPECT_EQ(KeyLabelOf(""), "");
  EXPECT_EQ(KeyLabelOf("\u3042\u3044\u3046"), "\u3042\u3044");  // characters, not bytes
  EXPECT_EQ(KeyLabelOf("\u00e9x"), "\u00e9x");
}

TEST(KeyMapFile, ReadsLabelsWrittenInCodePage932) {
  const std::string dir = testing::MakeTempDir("kirivane-keymap-reader");
  const std::string path = dir + "/old.keys";
  ASSERT_TRUE(WriteFileAtomically(path, "1\t\x82\xa0\x82\xa2\x82\xa4\t65\r\n"));
  const auto text = ReadKeyMapFile(path);
  ASSERT_TRUE(text.has_value());
  ASSERT_EQ(text->records.size(), 1u);
  EXPECT_EQ(KeyLabelOf(text->records[0].label), "\u3042\u3044");
  EXPECT_FALSE(ReadKeyMapFile(dir + "/none.keys").has_value());
  std::filesystem::remove_all(dir);
}

TEST(KeyMapFile, AUtf8MarkDoesNotTurnTheFirstLineIntoARandomKey) {
  const std::string dir = testing::MakeTempDir("kirivane-keymap-reader");
  const std::string path = dir + "/edited.keys";
  ASSERT_TRUE(WriteFileAtomically(path,
                                  "\xEF\xBB\xBF"
                                  "1\tQ\t81\r\n2\tW\t87\r\n"));
  const auto text = ReadKeyMapFile(path);
  ASSERT_TRUE(text.has_value());
  ASSERT_EQ(text->records.size(), 2u);
  EXPECT_EQ(text->records[0].position, 1);  // not 0, the random position
  EXPECT_EQ(text->records[0].code, 81);
  std::filesystem::remove_all(dir);
}

TEST(KeyMapWriter, WritesCrLfLinesThatReadBackTheSame) {
  const std::vector<KeyMapRecord> records{{12, "Q", 81}, {12, "Q", 87}, {0, "R", 82}};
  const auto text = FormatKeyMapText(records);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, "12\tQ\t81\r\n12\tQ\t87\r\n0\tR\t82\r\n");
  const auto back = ParseKeyMapText(*text);
  ASSERT_TRUE(back.ok());
  ASSERT_EQ(back.records.size(), 3u);
  EXPECT_EQ(back.records[1].code, 87);
  EXPECT_EQ(back.records[2].label, "R");
}

TEST(KeyMapWriter, KeepsTheFileReadableAndRefusesValuesItCannotHold) {
  // A tab or line break in a label would shift the fields of the line when read back.
  const auto text = FormatKeyMapText({{1, "A\tB\r\n", 65}});
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, "1\tAB\t65\r\n");

  std::string error;
  EXPECT_FALSE(FormatKeyMapText({{38, "X", 65}}, &error).has_value());
  EXPECT_NE(error.find("38"), std::string::npos);
  EXPECT_FALSE(FormatKeyMapText({{1, "X", 256}}).has_value());
  EXPECT_FALSE(FormatKeyMapText({{1, "X", 0}}).has_value());
}

TEST(KeyMapWriter, ABadRecordLeavesTheOldFileUntouched) {
  const std::string dir = testing::MakeTempDir("kirivane-keymap-writer");
  const std::string path = dir + "/my.keys";
  ASSERT_TRUE(WriteKeyMapFile(path, {{1, "Q", 81}}));
  EXPECT_EQ(ReadFileBytes(path).value(), "1\tQ\t81\r\n");
  std::string error;
  EXPECT_FALSE(WriteKeyMapFile(path, {{2, "W", 87}, {3, "E", 300}}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFileBytes(path).value(), "1\tQ\t81\r\n");
  EXPECT_FALSE(WriteKeyMapFile(dir + "/missing-folder/x.keys", {{1, "Q", 81}}));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kirivane
