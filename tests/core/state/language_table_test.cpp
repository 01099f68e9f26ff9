#include "player/state/language_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/basic/text_file.h"
#include "fakes/test_paths.h"

namespace kirivane {
namespace {

class LanguageTableTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = testing::MakeTempDir("kirivane-lang"); }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Write(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(WriteFileAtomically(folder_ + "/" + name, bytes));
  }

  std::string folder_;
  AppState app_;
};

TEST_F(LanguageTableTest, BackslashNBecomesCrLfAndNothingElseIsAnEscape) {
  Write("japanese.lang", "A\\nB\r\nC:\\new\\\\nD\r\n%1 \\t\r\n");
  ASSERT_TRUE(LoadLanguage(folder_, 0, app_));
  EXPECT_EQ(app_.LangTable[0], "A\r\nB");
  EXPECT_EQ(app_.LangTable[1], "C:\r\new\\\r\nD");
  EXPECT_EQ(app_.LangTable[2], "%1 \\t");
}

TEST_F(LanguageTableTest, ReadsAtMost360LinesAndEntry360StaysEmpty) {
  std::string contents;
  for (int line = 1; line <= 400; ++line) contents += "line " + std::to_string(line) + "\r\n";
  Write("English.lang", contents);
  ASSERT_TRUE(LoadLanguage(folder_, 1, app_));
  ASSERT_EQ(app_.LangTable.size(), 361u);
  EXPECT_EQ(app_.LangTable[0], "line 1");
  EXPECT_EQ(app_.LangTable[359], "line 360");
  EXPECT_EQ(app_.LangTable[360], "");
}

TEST_F(LanguageTableTest, EmptyLinesKeepTheirPlaceAndMissingLinesAreEmpty) {
  Write("japanese.lang", "1\r\n2\r\n3\r\n4\r\n\r\n6\n7");  // line 5 empty, LF and no last end
  ASSERT_TRUE(LoadLanguage(folder_, 0, app_));
  EXPECT_EQ(app_.LangTable[3], "4");
  EXPECT_EQ(app_.LangTable[4], "");
  EXPECT_EQ(app_.LangTable[5], "6");
  EXPECT_EQ(app_.LangTable[6], "7");
  EXPECT_EQ(app_.LangTable[7], "");
  EXPECT_EQ(app_.LangTable.size(), 361u);
}

TEST_F(LanguageTableTest, LanguageNumberChoosesTheFileAndEnglishUI) {
  Write("japanese.lang", "JA\r\n");
  Write("English.lang", "EN\r\n");
  const std::pair<int, std::string> cases[] = {{0, "JA"}, {-1, "JA"}, {1, "EN"}, {2, "EN"}};
  for (const auto& [language, title] : cases) {
    ASSERT_TRUE(LoadLanguage(folder_, language, app_)) << language;
    EXPECT_EQ(app_.LangTable[0], title) << language;
    EXPECT_EQ(app_.EnglishUI, title == "EN" ? 1 : 0) << language;
    // F1 opens the help page of the same language.
    EXPECT_EQ(HelpFilePath("/p", app_.EnglishUI),
              title == "EN" ? "/p/help_en.html" : "/p/help_ja.html");
  }
}

TEST_F(LanguageTableTest, ReadsCp932FilesAndDropsAUtf8ByteOrderMark) {
  // "日本\n語" in code page 932: the backslash rule applies to the decoded text.
  Write("japanese.lang", "\x93\xFA\x96\x7B\\n\x8C\xEA\r\n\x83\x5C\r\n");
  ASSERT_TRUE(LoadLanguage(folder_, 0, app_));
  EXPECT_EQ(app_.LangTable[0], "\xE6\x97\xA5\xE6\x9C\xAC\r\n\xE8\xAA\x9E");
  EXPECT_EQ(app_.LangTable[1], "\xE3\x82\xBD");  // "ソ", whose second byte is 0x5C

  Write("English.lang", "\xEF\xBB\xBFKirivane\r\n");
  ASSERT_TRUE(LoadLanguage(folder_, 1, app_));
  EXPECT_EQ(app_.LangTable[0], "Kirivane");
}

TEST_F(LanguageTableTest, AMissingFileFailsAndLeavesNoOldEntriesBehind) {
  Write("japanese.lang", "old title\r\n");
  ASSERT_TRUE(LoadLanguage(folder_, 0, app_));
  EXPECT_FALSE(LoadLanguage(folder_, 1, app_));  // no English.lang here
  EXPECT_EQ(app_.EnglishUI, 1);
  ASSERT_EQ(app_.LangTable.size(), 361u);
  for (const auto& entry : app_.LangTable) EXPECT_EQ(entry, "");
}

TEST_F(LanguageTableTest, StartLoadsTheOtherLanguageWhenTheChosenFileIsMissing) {
  Write("English.lang", "EN\r\n");
  EXPECT_EQ(LoadStartLanguage(folder_, 1, app_), 1);  // "/E" needs no japanese.lang
  EXPECT_EQ(LoadStartLanguage(folder_, 0, app_), 1);
  EXPECT_EQ(app_.LangTable[0], "EN");
  EXPECT_EQ(app_.EnglishUI, 1);
  std::filesystem::remove(folder_ + "/English.lang");
  EXPECT_EQ(LoadStartLanguage(folder_, 1, app_), -1);
}

TEST(LocaleLanguage, JapaneseOnlyForJapaneseLocalesInTheOrderLinuxReadsThem) {
  EXPECT_EQ(LocaleLanguage("", "", "ja_JP.UTF-8"), 0);
  EXPECT_EQ(LocaleLanguage("", "", "ja"), 0);
  EXPECT_EQ(LocaleLanguage("", "ja_JP.eucJP", "en_US.UTF-8"), 0);
  EXPECT_EQ(LocaleLanguage("de_DE.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8"), 1);  // LC_ALL wins
  EXPECT_EQ(LocaleLanguage("", "", ""), 1);
  EXPECT_EQ(LocaleLanguage("C.UTF-8", "", ""), 1);
  EXPECT_EQ(LocaleLanguage("", "", "jam_JM"), 1);  // Jamaican, not Japanese
  EXPECT_EQ(LocaleLanguage("", "", "ja@cjknarrow"), 0);
}

TEST(LangText, GivesAnEmptyTextOutsideTheTable) {
  AppState app;
  app.LangTable[12] = "MIDI Mapper";
  EXPECT_EQ(LangText(app, 12), "MIDI Mapper");
  EXPECT_EQ(LangText(app, -1), "");
  EXPECT_EQ(LangText(app, 361), "");
}

TEST(ReplacePlaceholder, ReplacesEveryPlaceholderOnceAndLeavesOtherTextAlone) {
  EXPECT_EQ(ReplacePlaceholder("Missing %1.", "/tmp/a b.keys"), "Missing /tmp/a b.keys.");
  EXPECT_EQ(ReplacePlaceholder("%1 and %1", "x"), "x and x");
  EXPECT_EQ(ReplacePlaceholder("%1!", "100%1"), "100%1!");  // the value is not searched again
  EXPECT_EQ(ReplacePlaceholder("no placeholder %2", "x"), "no placeholder %2");
}

}  // namespace
}  // namespace kirivane
