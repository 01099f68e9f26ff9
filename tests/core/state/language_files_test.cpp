// Checks the two language files delivered beside the program against the entries the
// program reads: every used entry has wording, placeholders sit where values are put in,
// numbers are numbers and the instrument variation lists use banks that have a button.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "fakes/test_paths.h"
#include "player/state/language_table.h"

namespace kirivane {
namespace {

struct Range {
  int first;
  int last;
};

// Every entry the program reads, by role.
const Range kUsedEntries[] = {
    {0, 1},      // program titles (normal, percussion set)
    {2, 5},      // about box: description in two parts, two link addresses
    {6, 7},      // OK and Cancel of the dialogs
    {8, 10},     // caption parts: key monitor on, display modes 1 and 2
    {11, 12},    // .lyr file-type description, the default output device
    {13, 19},    // font names 13, 14, 18 and font sizes 15, 16, 17, 19
    {20, 147},   // the 128 instruments
    {148, 148},  // tooltip of the time display's jump zones
    {150, 162},  // main window labels, speed captions 157..160
    {163, 180},  // menu captions
    {182, 188},  // seasonal tooltip, key monitor button, random key map suffix, PLAY/REC
    {190, 199},  // about box, title/author tooltips, key map filter, device button tooltip
    {200, 221},  // chord select dialog
    {222, 229},  // main window tooltips
    {230, 275},  // options dialog
    {277, 290},  // chord tooltips, keyboard messages, farewell lines, reset menu
    {292, 296},  // progress messages of recording, export and import
    {298, 342},  // file dialogs, tooltips, messages
    {344, 344},  // chord list error
    {346, 350},  // volume question, key map error, score view menu, no device question
};

// Entries into which the program puts a value for "%1".
const std::set<int> kPlaceholderEntries = {
    196,  // performance title
    197,  // performance author
    340,  // path of a missing key map
    341,  // error number and description of a failed read
    342,  // format number of a MIDI file
    344,  // path of the chord list
    347,  // program title
};

const int kFontNameEntries[] = {13, 14, 18};
const int kFontSizeEntries[] = {15, 16, 17, 19};
const std::set<int> kBanksWithButtons = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 24, 32};

bool IsUsed(int entry) {
  return std::any_of(std::begin(kUsedEntries), std::end(kUsedEntries),
                     [entry](Range r) { return entry >= r.first && entry <= r.last; });
}

class LanguageFilesTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadLanguage(testing::ProgramDir(), GetParam(), app_))
        << LanguageFilePath(testing::ProgramDir(), GetParam());
  }
  AppState app_;
};

TEST_P(LanguageFilesTest, FileHas360CrLfLinesOfUtf8) {
  const auto bytes = ReadFileBytes(LanguageFilePath(testing::ProgramDir(), GetParam()));
  ASSERT_TRUE(bytes.has_value());
  std::size_t crlf = 0;
  for (std::size_t i = 0; i < bytes->size(); ++i) {
    if ((*bytes)[i] != '\n') continue;
    ASSERT_TRUE(i > 0 && (*bytes)[i - 1] == '\r') << "bare LF at byte " << i;
    ++crlf;
  }
  EXPECT_EQ(crlf, 360u);
  EXPECT_TRUE(bytes->ends_with("\r\n"));
}

TEST_P(LanguageFilesTest, EveryUsedEntryHasWordingAndNoOtherEntryHasAny) {
  for (int entry = 0; entry < kLangEntryCount; ++entry) {
    if (IsUsed(entry)) {
      EXPECT_FALSE(app_.LangTable[entry].empty()) << "entry " << entry;
    } else {
      EXPECT_TRUE(app_.LangTable[entry].empty()) << "entry " << entry;
    }
  }
}

TEST_P(LanguageFilesTest, PlaceholdersAreExactlyWhereAValueIsPutIn) {
  for (int entry = 0; entry < kLangEntryCount; ++entry) {
    const std::string& text = app_.LangTable[entry];
    const bool has_placeholder = text.find("%1") != std::string::npos;
    EXPECT_EQ(has_placeholder, kPlaceholderEntries.count(entry) == 1) << "entry " << entry;
    // A stray %2 would show up raw: nothing ever replaces it.
    EXPECT_EQ(text.find("%2"), std::string::npos) << "entry " << entry;
  }
}

TEST_P(LanguageFilesTest, FontNamesAreNamesAndFontSizesArePositiveNumbers) {
  for (int entry : kFontNameEntries) {
    EXPECT_LT(LeadingNumber(app_.LangTable[entry]), 1) << "entry " << entry;
  }
  for (int entry : kFontSizeEntries) {
    const double size = LeadingNumber(app_.LangTable[entry]);
    EXPECT_GE(size, 6) << "entry " << entry;
    EXPECT_LE(size, 20) << "entry " << entry;
  }
}

TEST_P(LanguageFilesTest, InstrumentVariationListsStartWithBankZeroAndUseButtonBanks) {
  int with_variations = 0;
  for (int program = 0; program < 128; ++program) {
    const std::string& text = app_.LangTable[20 + program];
    const auto parts = SplitKeepEmpty(text, "\t");
    ASSERT_LE(parts.size(), 2u) << "program " << program;
    EXPECT_FALSE(parts[0].empty()) << "program " << program;
    if (parts.size() == 1) continue;
    ++with_variations;
    const auto items = SplitKeepEmpty(parts[1], ",");
    ASSERT_GE(items.size(), 2u) << "program " << program;
    std::set<std::int64_t> banks;
    for (const auto& item : items) {
      const auto bank_and_name = SplitKeepEmpty(item, ":");
      ASSERT_EQ(bank_and_name.size(), 2u) << "program " << program << ": " << item;
      const std::int64_t bank = LeadingInteger(bank_and_name[0]);
      EXPECT_EQ(kBanksWithButtons.count(static_cast<int>(bank)), 1u) << item;
      EXPECT_TRUE(banks.insert(bank).second) << "bank twice: " << item;
      EXPECT_FALSE(bank_and_name[1].empty()) << item;
    }
    EXPECT_EQ(LeadingInteger(SplitKeepEmpty(items[0], ":")[0]), 0) << "program " << program;
  }
  // Pianos, organs, guitars, strings, brass and the sound effects have variations.
  EXPECT_GE(with_variations, 30);
}

TEST(LanguageFiles, BothLanguagesOfferTheSameVariationBanks) {
  AppState english;
  AppState japanese;
  ASSERT_TRUE(LoadLanguage(testing::ProgramDir(), 1, english));
  ASSERT_TRUE(LoadLanguage(testing::ProgramDir(), 0, japanese));
  EXPECT_EQ(english.LangTable[0], japanese.LangTable[0]);  // the title finds a running copy
  for (int entry = 20; entry <= 147; ++entry) {
    const auto banks = [](const std::string& text) {
      std::vector<std::int64_t> result;
      const auto parts = SplitKeepEmpty(text, "\t");
      if (parts.size() < 2) return result;
      for (const auto& item : SplitKeepEmpty(parts[1], ",")) {
        result.push_back(LeadingInteger(item));
      }
      return result;
    };
    EXPECT_EQ(banks(english.LangTable[entry]), banks(japanese.LangTable[entry]))
        << "entry " << entry;
  }
}

INSTANTIATE_TEST_SUITE_P(Japanese, LanguageFilesTest, ::testing::Values(0));
INSTANTIATE_TEST_SUITE_P(English, LanguageFilesTest, ::testing::Values(1));

}  // namespace
}  // namespace kirivane
