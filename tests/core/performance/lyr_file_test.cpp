#include <gtest/gtest.h>

#include <filesystem>

#include "common/basic/text_file.h"
#include "fakes/event_table_print.h"
#include "fakes/test_paths.h"
#include "player/midi/midi_hooks.h"
#include "player/performance/lyr_reader.h"
#include "player/performance/performance_file.h"

namespace kirivane {
namespace {

// Middle C held for 480 ms with ClockTime 1: the short performance the format is explained by.
constexpr std::string_view kMiddleC =
    "#FileFormatVer=2\r\n"
    "#ClockTime=1\r\n"
    "#Temp=60\r\n"
    "#Title=\r\n"
    "#Copy=\r\n"
    "#List=1\r\n"
    "#BKS=0\r\n"
    "#MODDEP=0\r\n"
    "#MidiToLyr=0\r\n"
    "#Data=0:60:1:121,480:60:0:0,35:60:2:0,\r\n";

PlayerState MiddleCState() {
  PlayerState state;
  state.performance.FileFormatVer = 2;
  state.performance.ClockTime = 1;
  state.performance.Tempo = 60;
  state.events.Recreate(3);
  state.events.Set(0, 0, 60, 1, 121);
  state.events.Set(1, 480, 60, 0, 0);
  state.events.Set(2, 35, 60, 2, 0);
  state.events.EventCount = 3;
  state.events.RecomputeTimes(1);
  return state;
}

// A state holding some other performance, to see that failed loads leave it alone.
PlayerState StateWithOldPerformance() {
  PlayerState state = MiddleCState();
  state.performance.ClockTime = 7;
  state.performance.Tempo = 99;
  state.performance.PerfTitle = "old";
  return state;
}

void ExpectUnchanged(const PlayerState& after, const PlayerState& before) {
  EXPECT_EQ(after.events, before.events);
  EXPECT_EQ(after.performance.ClockTime, before.performance.ClockTime);
  EXPECT_EQ(after.performance.Tempo, before.performance.Tempo);
  EXPECT_EQ(after.performance.PerfTitle, before.performance.PerfTitle);
  EXPECT_EQ(after.performance.FileFormatVer, before.performance.FileFormatVer);
}

TEST(LyrFile, TheMiddleCExampleIsWrittenByteForByte) {
  EXPECT_EQ(FormatPerformanceFile(MiddleCState(), 0), kMiddleC);
}

TEST(LyrFile, TheMiddleCExampleReadsBackToTheSameTable) {
  PlayerState state;
  const PerformanceLoad load = LoadPerformanceBytes(state, kMiddleC);
  ASSERT_FALSE(load.error) << load.error->detail;
  EXPECT_TRUE(load.replaced);
  const PlayerState expected = MiddleCState();
  ASSERT_EQ(state.events.EventCount, 3);
  ASSERT_EQ(state.events.Size(), 4u);  // one empty slot after the end mark
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(state.events.EvDelta[i], expected.events.EvDelta[i]);
    EXPECT_EQ(state.events.EvData[i], expected.events.EvData[i]);
    EXPECT_EQ(state.events.EvKind[i], expected.events.EvKind[i]);
    EXPECT_EQ(state.events.EvVelocity[i], expected.events.EvVelocity[i]);
    EXPECT_EQ(state.events.EvTimeMs[i], expected.events.EvTimeMs[i]);
  }
  EXPECT_EQ(state.performance.PlayLength, 3);
  EXPECT_EQ(FormatPerformanceFile(state, 0), kMiddleC);
}

TEST(LyrFile, HeaderKeysInAnyCaseAndTheClockRules) {
  const struct {
    const char* clock_line;
    int clock;
  } cases[] = {{"#clocktime=0", 1},
               {"#CLOCKTIME=51", 100},
               {"#ClockTime= 7.9", 7},
               {"#ClockTime=50", 50},
               {"#Other=1", 12}};
  for (const auto& c : cases) {
    PlayerState state;
    const std::string file = std::string("#fileformatver=2\n") + c.clock_line +
                             "\n#temp=72abc\n#tItLe=Song\n#copy=Me\n#list=5\n#bks=9\n"
                             "#moddep=20\n#miditolyr=1\n#data=5:61:1:99,\n";
    const auto load = LoadPerformanceBytes(state, file);
    ASSERT_FALSE(load.error) << c.clock_line;
    EXPECT_EQ(state.performance.ClockTime, c.clock) << c.clock_line;
    EXPECT_EQ(state.performance.Tempo, 72);
    EXPECT_EQ(state.performance.PerfTitle, "Song");
    EXPECT_EQ(state.performance.PerfAuthor, "Me");
    EXPECT_EQ(state.midi.SelectedProgram, 4);
    EXPECT_EQ(load.bank, 0);  // 9 is no bank-select value
    EXPECT_EQ(state.midi.Modulation, 20);
    EXPECT_EQ(state.performance.MidiToLyr, 1);
    EXPECT_EQ(state.events.EvTimeMs[0], 5 * c.clock);
  }
}

TEST(LyrFile, DataLinesAreJoinedAndAMissingFinalCommaLosesTheLastEvent) {
  PlayerState state;
  const auto load =
      LoadPerformanceBytes(state,
                           "#FileFormatVer=2\r\n#ClockTime=1\r\nignored before data\r\n"
                           "#Data=1:60:1:100,\r\n2:60:0:0,3:62:1:90\r\nno separators here\r\n"
                           ",4:62:0:0,5:0:2:0,6:60:1:1\r\n");
  ASSERT_FALSE(load.error);
  // "3:62:1:90" and ",4:62..." join into one item "3:62:1:90"; the last item has no ",".
  ASSERT_EQ(state.events.EventCount, 5);
  EXPECT_EQ(state.events.EvData[2], 62);
  EXPECT_EQ(state.events.EvVelocity[2], 90);
  EXPECT_EQ(state.events.EvKind[4], kEventEndMark);
  EXPECT_EQ(state.events.EvData[4], 60);  // an end mark always carries 60
  EXPECT_EQ(state.events.EvTimeMs[4], 1 + 2 + 3 + 4 + 5);
}

TEST(LyrFile, AUtf8MarkBeforeTheFirstKeyIsSkipped) {
  PlayerState state;
  const auto load = LoadPerformanceBytes(state, "\xEF\xBB\xBF#FileFormatVer=2\n#Data=1:60:1:50,\n");
  ASSERT_FALSE(load.error);
  EXPECT_EQ(state.performance.FileFormatVer, 2);
  EXPECT_EQ(state.events.EvVelocity[0], 50);
}

TEST(LyrFile, VersionOneGetsThePlayVelocity) {
  PlayerState state;
  state.midi.PlayVelocity = 77;
  const auto load = LoadPerformanceBytes(
      state, "#FileFormatVer=1\n#ClockTime=1\n#Data=0:0:4,1:60:1,2:60:0,3:0:3,4:60:2,\n");
  ASSERT_FALSE(load.error);
  EXPECT_EQ(state.events.EvVelocity, (std::vector<std::int16_t>{77, 77, 0, 77, 0, 0}));
  EXPECT_EQ(state.performance.FileFormatVer, 1);
}

TEST(LyrFile, AFileWithoutAVersionUsesTheVersionInEffect) {
  PlayerState state;
  state.performance.FileFormatVer = 2;
  ASSERT_FALSE(LoadPerformanceBytes(state, "#Data=1:60:1:50,\n").error);
  EXPECT_EQ(state.events.EvVelocity[0], 50);
  state.performance.FileFormatVer = 1;
  ASSERT_FALSE(LoadPerformanceBytes(state, "#Data=1:60:1:50,\n").error);
  EXPECT_EQ(state.events.EvVelocity[0], 108);
}

TEST(LyrFile, RefusedFilesLeaveThePerformanceInMemory) {
  const struct {
    const char* file;
    int entry;
    const char* insert;
  } cases[] = {
      {"#FileFormatVer=3\n#Data=1:60:1:1,\n", 338, ""},
      {"#FileFormatVer=two\n", 341, "13 (Type mismatch)"},
      {"#ClockTime=\n", 341, "13 (Type mismatch)"},
      {"#ClockTime=x5\n", 341, "13 (Type mismatch)"},
      {"#List=300\n", 341, "380 (Invalid property value)"},
      {"#Temp=99999\n", 341, "6 (Overflow)"},
      {"#FileFormatVer=2\n#Data=1:60:1:100,2:6x:0:0,\n", 341, "13 (Type mismatch)"},
      {"#FileFormatVer=2\n#Data=1:60:1,\n", 341, "9 (Subscript out of range)"},
      {"#FileFormatVer=1\n#Data=1:60,\n", 341, "9 (Subscript out of range)"},
      {"#FileFormatVer=2\n#Data=1:99999999999:1:1,\n", 341, "6 (Overflow)"},
      {"#FileFormatVer=2\n#Data=,\n", 341, "9 (Subscript out of range)"},
  };
  for (const auto& c : cases) {
    PlayerState state = StateWithOldPerformance();
    const PlayerState before = state;
    const auto load = LoadPerformanceBytes(state, c.file);
    ASSERT_TRUE(load.error) << c.file;
    EXPECT_EQ(load.error->text_entry, c.entry) << c.file;
    EXPECT_EQ(load.error->title_entry, 320);
    EXPECT_EQ(load.error->insert, c.insert) << c.file;
    EXPECT_FALSE(load.replaced);
    ExpectUnchanged(state, before);
  }
}

TEST(LyrFile, AFileWithoutEventTextKeepsThePerformance) {
  for (const char* data : {"#Data=\n", "#Data=1:60:1:100\n", ""}) {
    PlayerState state = StateWithOldPerformance();
    const PlayerState before = state;
    const std::string file = std::string("#ClockTime=3\n#Title=New\n#MODDEP=9\n") + data;
    const auto load = LoadPerformanceBytes(state, file);
    EXPECT_FALSE(load.error);
    EXPECT_FALSE(load.replaced) << data;
    ExpectUnchanged(state, before);
    EXPECT_EQ(state.midi.Modulation, 9);
  }
}

TEST(LyrFile, SavingAndLoadingARecordingGivesTheSameTable) {
  PlayerState state;
  state.performance.FileFormatVer = 2;
  state.performance.ClockTime = 3;
  state.performance.Tempo = 132;
  state.performance.PerfTitle = "Übung 1";
  state.performance.PerfAuthor = "Author";
  state.midi.SelectedProgram = 40;
  state.midi.Modulation = 12;
  state.events.Recreate(200);
  const int kinds[] = {kEventNoteOn, kEventNoteOff, kEventDamperDown, kEventNoteOn, kEventDamperUp};
  for (int i = 0; i < 199; ++i) {
    const int kind = kinds[i % 5];
    state.events.Set(i, i * 7 % 50, 30 + i % 60, kind, kind == kEventNoteOn ? 1 + i % 127 : 0);
  }
  state.events.Set(199, 4, 60, kEventEndMark, 0);
  state.events.EventCount = 200;
  const std::string dir = testing::MakeTempDir("lyr");
  const std::string path = dir + "/take.lyr";
  ASSERT_FALSE(SavePerformanceFile(state, path, 16));
  EXPECT_EQ(state.events.EvTimeMs[199], state.events.EvTimeMs[198] + 12);

  PlayerState loaded;
  const auto load = LoadPerformanceFile(loaded, path);
  ASSERT_FALSE(load.error);
  EXPECT_EQ(load.bank, 16);
  EXPECT_EQ(loaded.events.EventCount, 200);
  loaded.events.Resize(200);
  EXPECT_EQ(loaded.events, state.events);
  EXPECT_EQ(loaded.performance.PerfTitle, "Übung 1");
  EXPECT_EQ(loaded.performance.Tempo, 132);
  EXPECT_EQ(loaded.midi.SelectedProgram, 40);
  EXPECT_EQ(loaded.midi.Modulation, 12);
  const auto text = ReadFileBytes(path);
  EXPECT_EQ(std::count(text->begin(), text->end(), ','), 200);
  std::filesystem::remove_all(dir);
}

TEST(LyrFile, ALineBreakInTheTitleCannotSplitTheFile) {
  PlayerState state = MiddleCState();
  state.performance.PerfTitle = "two\r\n#Data=9:9:9:9,";
  PlayerState loaded;
  ASSERT_FALSE(LoadPerformanceBytes(loaded, FormatPerformanceFile(state, 0)).error);
  EXPECT_EQ(loaded.events.EventCount, 3);
  EXPECT_EQ(loaded.performance.PerfTitle, "two  #Data=9:9:9:9,");
}

TEST(LyrFile, MissingFilesAndFailedWritesAreReported) {
  PlayerState state = StateWithOldPerformance();
  const std::string dir = testing::MakeTempDir("lyr");
  const auto load = LoadPerformanceFile(state, dir + "/missing.lyr");
  ASSERT_TRUE(load.error);
  EXPECT_EQ(load.error->insert, "53 (File not found)");
  const auto write = SavePerformanceFile(state, dir + "/no/such/folder/x.lyr", 0);
  ASSERT_TRUE(write);
  EXPECT_EQ(write->text_entry, 0);
  EXPECT_NE(write->detail.find("x.lyr"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            0);  // no temporary file left behind
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kirivane
