#include "player/input/key_map_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "common/basic/text_file.h"
#include "fakes/fake_input.h"
#include "fakes/test_paths.h"

namespace kirivane {
namespace {

namespace fs = std::filesystem;
using testing::FakeKeyMapNotices;
using testing::FakeRandom;

// A program folder of its own holding a copy of the delivered default key map.
class KeyMapLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testing::MakeTempDir("kirivane-keymaps");
    fs::copy_file(testing::ProgramDir() + "/default.keys", folder_ + "/default.keys");
    state_.app.ProgramFolder = folder_;
    state_.app.AppTitle = "Kirivane";
    state_.app.LangTable[339] = "Key map";
    state_.app.LangTable[340] = "%1 was not found.";
    state_.app.LangTable[347] = "%1 cannot start without its key map.";
    state_.app.LangTable[348] = "Key map error";
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& contents) {
    const std::string path = folder_ + "/" + name;
    EXPECT_TRUE(WriteFileAtomically(path, contents));
    return path;
  }
  KeyMapLoadResult Load(const std::string& path) {
    return LoadKeyMap(state_, path, random_, notices_, notices_);
  }
  int BoundCount() const {
    int bound = 0;
    for (int code = 0; code < 256; ++code) bound += KeyIndexOf(state_.input, code) != 0;
    return bound;
  }
  std::string DefaultPath() const { return folder_ + "/default.keys"; }

  std::string folder_;
  PlayerState state_;
  FakeRandom random_{{0.0, 0.5, 0.9999}};
  FakeKeyMapNotices notices_;
};

TEST_F(KeyMapLoaderTest, OneLineBindsOneKeyAndGivesItsLabel) {
  const auto path = Write("q.keys", "1\tQ\t81\r\n");
  EXPECT_EQ(Load(path), KeyMapLoadResult::kLoaded);
  EXPECT_EQ(KeyIndexOf(state_.input, 81), 7);
  EXPECT_EQ(state_.input.KeyLabels[0], "Q");
  EXPECT_EQ(BoundCount(), 1);
  for (int i = 1; i < 37; ++i) EXPECT_EQ(state_.input.KeyLabels[i], "") << i;
  EXPECT_EQ(state_.input.KeyMapFile, path);
  EXPECT_EQ(notices_.checked, KeyMapMenuEntry::kNone);
  EXPECT_EQ(KeyIndexOf(state_.input, 300), 0);
  EXPECT_EQ(KeyIndexOf(state_.input, -1), 0);
}

TEST_F(KeyMapLoaderTest, LaterLinesWinAndTheLastLineOfAPositionGivesItsLabel) {
  const auto path = Write("mix.keys",
                          "5\t\"AB\"\t65\n"
                          "6\tXYZ\t66\n"
                          "7\tC\t65\n"    // code 65 again: this binding wins
                          "7\tD\t68\n"    // a second key for position 7, its label wins
                          "38\tZ\t90\n"   // position outside the keyboard: skipped
                          "-1\tY\t89\n"   // skipped
                          "3\tN\t0\n"     // code below 1: skipped
                          "3\tM\t-4\n");  // skipped too
  EXPECT_EQ(Load(path), KeyMapLoadResult::kLoaded);
  EXPECT_EQ(state_.input.KeyLabels[4], "AB");
  EXPECT_EQ(state_.input.KeyLabels[5], "XY");
  EXPECT_EQ(KeyIndexOf(state_.input, 65), 13);
  EXPECT_EQ(KeyIndexOf(state_.input, 68), 13);
  EXPECT_EQ(state_.input.KeyLabels[6], "D");
  EXPECT_EQ(KeyIndexOf(state_.input, 90), 0);
  EXPECT_EQ(KeyIndexOf(state_.input, 89), 0);
  EXPECT_EQ(state_.input.KeyLabels[2], "");
  EXPECT_EQ(BoundCount(), 3);
}

TEST_F(KeyMapLoaderTest, RandomPositionsDrawAKeyPerLineAndPerLoad) {
  const auto path = Write("r.keys", "0\tA\t65\n0\tB\t66\n0\tC\t67\n");
  EXPECT_EQ(Load(path), KeyMapLoadResult::kLoaded);
  EXPECT_EQ(KeyIndexOf(state_.input, 65), 7);   // fraction 0
  EXPECT_EQ(KeyIndexOf(state_.input, 66), 25);  // whole part of 0.5 * 37 = 18, plus 7
  EXPECT_EQ(KeyIndexOf(state_.input, 67), 43);  // just below 1
  EXPECT_EQ(state_.input.KeyLabels[0], "");     // random lines give no labels
  EXPECT_EQ(random_.draws(), 3u);
  Load(path);
  EXPECT_EQ(random_.draws(), 6u);
}

TEST_F(KeyMapLoaderTest, BrokenFilesLoadTheDefaultMapAndKeepNothingOfTheirOwn) {
  for (const std::string contents : {"1\tQ\t81\r\n2\tW\r\n",       // two fields
                                     "1\tQ\t81\r\n2\tW\t300\r\n",  // code above 255
                                     "1\tQ\t81\r\n0\tW\t-1\r\n",   // negative code, random line
                                     "1\tQ\t81\r\n0\tW\t256\r\n"}) {
    SCOPED_TRACE(contents);
    state_.input.KeyMapFile = "";
    const auto path = Write("broken.keys", contents);
    EXPECT_EQ(Load(path), KeyMapLoadResult::kDefaultLoaded);
    EXPECT_EQ(state_.input.KeyMapFile, DefaultPath());
    EXPECT_EQ(notices_.checked, KeyMapMenuEntry::kDefault);
    EXPECT_EQ(KeyIndexOf(state_.input, 81), 24);  // Q plays the default map's upper C
    EXPECT_EQ(state_.input.KeyLabels[0], "Z");
    EXPECT_TRUE(notices_.missing.empty());  // a broken file has no message of its own
  }
}

TEST_F(KeyMapLoaderTest, AMissingFileIsReportedOnceThenTheDefaultMapLoads) {
  Load(DefaultPath());
  const std::string missing = folder_ + "/gone.keys";
  EXPECT_EQ(Load(missing), KeyMapLoadResult::kDefaultLoaded);
  ASSERT_EQ(notices_.missing.size(), 1u);
  EXPECT_EQ(notices_.missing[0], (testing::ShownMessage{missing + " was not found.", "Key map"}));
  EXPECT_TRUE(notices_.broken.empty());
  EXPECT_EQ(state_.input.KeyMapFile, DefaultPath());
  EXPECT_EQ(BoundCount(), 37);
}

TEST_F(KeyMapLoaderTest, WithoutAUsableDefaultMapTheProgramMustClose) {
  Write("default.keys", "1\tQ\r\n");
  EXPECT_EQ(Load(Write("other.keys", "2\tW\r\n")), KeyMapLoadResult::kFatal);
  ASSERT_EQ(notices_.broken.size(), 1u);
  EXPECT_EQ(notices_.broken[0],
            (testing::ShownMessage{"Kirivane cannot start without its key map.", "Key map error"}));
  EXPECT_EQ(BoundCount(), 0);

  fs::remove(DefaultPath());
  notices_ = FakeKeyMapNotices();
  EXPECT_EQ(Load(ProgramKeyMapPath(folder_, "DEFAULT.KEYS")), KeyMapLoadResult::kFatal);
  EXPECT_EQ(notices_.missing.size(), 1u);  // no endless retry of the same default path
  EXPECT_EQ(notices_.broken.size(), 1u);
}

TEST_F(KeyMapLoaderTest, EntriesZeroAnd255KeepTheirValues) {
  state_.input.KeyIndexOfCode[0] = 9;
  state_.input.KeyIndexOfCode[255] = 10;
  state_.input.KeyIndexOfCode[254] = 11;
  Load(Write("q.keys", "1\tQ\t81\r\n"));
  EXPECT_EQ(state_.input.KeyIndexOfCode[0], 9);
  EXPECT_EQ(state_.input.KeyIndexOfCode[255], 10);
  EXPECT_EQ(state_.input.KeyIndexOfCode[254], 0);
}

TEST(KeyMapMenu, ChecksTheBuiltInMapByItsPathInAnyCase) {
  EXPECT_EQ(UpdateKeyMapMenu("/opt/k/DEFAULT.keys", "/opt/k"), KeyMapMenuEntry::kDefault);
  EXPECT_EQ(UpdateKeyMapMenu("/opt/k/modkeys.KEYS", "/opt/k"), KeyMapMenuEntry::kMod);
  EXPECT_EQ(UpdateKeyMapMenu("/opt/k/position.keys", "/opt/k"), KeyMapMenuEntry::kPosition);
  EXPECT_EQ(UpdateKeyMapMenu("/opt/k/rand.keys", "/opt/k"), KeyMapMenuEntry::kNone);
  EXPECT_EQ(UpdateKeyMapMenu("/elsewhere/default.keys", "/opt/k"), KeyMapMenuEntry::kNone);
  EXPECT_EQ(UpdateKeyMapMenu("", "/opt/k"), KeyMapMenuEntry::kNone);
}

// The maps delivered beside the program.
TEST(BuiltInKeyMaps, AllLoadAndLabelEveryKey) {
  for (const char* name : {kDefaultKeyMapName, kModKeyMapName, kPositionKeyMapName,
                           kStraightKeyMapName, kRandomKeyMapName}) {
    SCOPED_TRACE(name);
    PlayerState state;
    state.app.ProgramFolder = testing::ProgramDir();
    FakeRandom random({0.3});
    FakeKeyMapNotices notices;
    const auto path = ProgramKeyMapPath(state.app.ProgramFolder, name);
    ASSERT_EQ(LoadKeyMap(state, path, random, notices, notices), KeyMapLoadResult::kLoaded);
    EXPECT_EQ(state.input.KeyMapFile, path);
    std::set<int> positions;
    for (int code = 0; code < 256; ++code) {
      if (const int k = KeyIndexOf(state.input, code)) positions.insert(k);
    }
    if (std::string(name) == kRandomKeyMapName) {
      EXPECT_EQ(positions, std::set<int>{7 + 11});  // every key drew 0.3
      continue;
    }
    EXPECT_EQ(positions.size(), 37u);
    for (int i = 0; i < 37; ++i) EXPECT_FALSE(state.input.KeyLabels[i].empty()) << i;
  }
}

TEST(BuiltInKeyMaps, TheDefaultMapIsAPianoOnTheLetterRows) {
  PlayerState state;
  state.app.ProgramFolder = testing::ProgramDir();
  FakeRandom random;
  FakeKeyMapNotices notices;
  LoadKeyMap(state, ProgramKeyMapPath(state.app.ProgramFolder, kDefaultKeyMapName), random, notices,
             notices);
  // White keys on the bottom and top letter rows, black keys on the row above each.
  EXPECT_EQ(KeyIndexOf(state.input, 'Z'), 7);   // G
  EXPECT_EQ(KeyIndexOf(state.input, 'S'), 8);   // G sharp
  EXPECT_EQ(KeyIndexOf(state.input, 'V'), 12);  // C
  EXPECT_EQ(KeyIndexOf(state.input, 'G'), 13);  // C sharp
  EXPECT_EQ(KeyIndexOf(state.input, 191), 23);  // '/' is B
  EXPECT_EQ(KeyIndexOf(state.input, 'Q'), 24);  // the next C
  EXPECT_EQ(KeyIndexOf(state.input, '2'), 25);  // C sharp
  EXPECT_EQ(KeyIndexOf(state.input, 221), 43);  // ']' is the top G
  EXPECT_EQ(KeyIndexOf(state.input, 187), 42);  // '=' is F sharp
  // The keys the program itself uses stay free.
  for (int code : {32, 27, 33, 34, 37, 38, 39, 40, 16, 17, 18}) {
    EXPECT_EQ(KeyIndexOf(state.input, code), 0) << code;
  }
  for (int code = 96; code <= 123; ++code) EXPECT_EQ(KeyIndexOf(state.input, code), 0) << code;
}

}  // namespace
}  // namespace kirivane
