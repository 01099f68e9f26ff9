#include "player/smf/midi_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/basic/text_file.h"
#include "fakes/test_paths.h"
#include "player/midi/midi_hooks.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

void SetEvents(PlayerState& state, const std::vector<std::array<int, 4>>& events) {
  state.events.Recreate(events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    state.events.Set(i, events[i][0], events[i][1], events[i][2], events[i][3]);
  }
  state.events.EventCount = static_cast<std::int32_t>(events.size());
}

bool Contains(const Bytes& haystack, const Bytes& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
         haystack.end();
}

TEST(MidiWriter, TicksFollowTheTempoWithTheOneTickLongerRule) {
  EXPECT_EQ(MillisecondsToTicks(500, 60), 240u);
  EXPECT_EQ(MillisecondsToTicks(1, 60), 0u);  // 0.48 ticks
  EXPECT_EQ(MillisecondsToTicks(3, 60), 2u);  // 1.44 ticks, written one longer
  EXPECT_EQ(MillisecondsToTicks(2, 60), 1u);  // 0.96: below one tick, no extra
  EXPECT_EQ(MillisecondsToTicks(200, 60), 96u);
  EXPECT_EQ(MillisecondsToTicks(4, 60), 3u);   // 1.92 -> 2, one longer
  EXPECT_EQ(MillisecondsToTicks(125, 1), 1u);  // exactly one tick
  EXPECT_EQ(MillisecondsToTicks(-40, 60), 0u);
  EXPECT_EQ(MillisecondsToTicks(std::int64_t{1} << 40, 300), 0x0FFFFFFFu);
}

TEST(MidiWriter, VariableLengthNumbers) {
  const struct {
    std::uint32_t value;
    Bytes bytes;
  } cases[] = {{0, {0x00}},
               {0x7F, {0x7F}},
               {0x80, {0x81, 0x00}},
               {240, {0x81, 0x70}},
               {0x3FFF, {0xFF, 0x7F}},
               {0x4000, {0x81, 0x80, 0x00}},
               {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
               {0x10000000, {}}};
  for (const auto& c : cases) {
    Bytes out;
    EXPECT_EQ(WriteVarLen(c.value, &out), c.bytes.size());
    EXPECT_EQ(out, c.bytes) << c.value;
  }
}

TEST(MidiWriter, TempoBytes) {
  EXPECT_EQ(TempoMicroseconds(120), 0x07A120u);
  EXPECT_EQ(TempoMicroseconds(60), 1000000u);
  EXPECT_EQ(TempoMicroseconds(0), 1000000u);  // no tempo: written as 60
  EXPECT_LE(TempoMicroseconds(1), 0xFFFFFFu);
  PlayerState state;
  state.performance.Tempo = 120;
  SetEvents(state, {{0, 60, kEventEndMark, 0}});
  EXPECT_TRUE(Contains(BuildMidiFile(state, 0), {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}));
}

TEST(MidiWriter, AShortPerformanceIsWrittenByteForByte) {
  PlayerState state;
  state.performance.Tempo = 60;
  state.performance.ClockTime = 1;
  state.performance.PerfTitle = "Song";
  state.midi.SelectedProgram = 4;
  SetEvents(state, {{0, 60, kEventNoteOn, 100},
                    {500, 60, kEventNoteOff, 0},
                    {3, 62, kEventNoteOn, 90},
                    {1, 60, kEventEndMark, 0}});
  const std::string signature = "Kirivane (v4.0.2)";
  // clang-format off
  Bytes expected = {
      'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,  // format 0, 1 track, 480
      'M', 'T', 'r', 'k', 0, 0, 0, 0x60,
      0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g',
      0x00, 0xFF, 0x02, 0x01, 0x00,                             // an empty text is one zero byte
      0x00, 0xFF, 0x01, 0x11};
  expected.insert(expected.end(), signature.begin(), signature.end());
  const Bytes rest = {
      0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,                 // tempo 60
      0x00, 0xFF, 0x59, 0x02, 0x00, 0x00,                       // C major
      0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,           // 4/4
      0x00, 0xFF, 0x21, 0x01, 0x00,                             // port 0
      0x00, 0xB0, 0x00, 0x00, 0x00, 0xB0, 0x20, 0x00,           // bank 0, no GS reset
      0x00, 0xC0, 0x04,                                         // program
      0x00, 0x90, 0x3C, 0x64,                                   // note on
      0x81, 0x70, 0x90, 0x3C, 0x00,                             // 500 ms = 240 ticks: off
      0x02, 0x90, 0x3E, 0x5A,                                   // 3 ms = 2 ticks
      0x60, 0x80, 0x00, 0x00,                                   // the 200 ms tail, 96 ticks
      0x00, 0x90, 0x3E, 0x00,                                   // the held note closed
      0x00, 0xFF, 0x2F, 0x00};
  // clang-format on
  expected.insert(expected.end(), rest.begin(), rest.end());
  EXPECT_EQ(BuildMidiFile(state, 0), expected);
}

TEST(MidiWriter, BankModulationChannelAndNoTail) {
  PlayerState state;
  state.performance.Tempo = 120;
  state.performance.ClockTime = 10;
  state.midi.KeyOutChannel = 3;
  state.midi.Modulation = 30;
  state.smf.MidiEndTime = 0;
  SetEvents(state, {{0, 0, kEventDamperDown, 0},
                    {2, 200, kEventNoteOn, 300},  // masked note, limited velocity
                    {5, 0, 7, 0},                 // unknown kind: its time moves on
                    {5, 72, kEventNoteOff, 0},
                    {0, 0, kEventDamperUp, 0},
                    {50, 60, kEventEndMark, 0},
                    {9, 61, kEventNoteOn, 100}});  // nothing after the end mark
  const Bytes file = BuildMidiFile(state, 8);
  // clang-format off
  const Bytes tail = {
      0x00, 0xF0, 0x0A, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7,  // GS reset
      0x00, 0xB2, 0x00, 0x08, 0x00, 0xB2, 0x20, 0x00,  // bank 8 on channel 3
      0x00, 0xC2, 0x00,                                // no instrument chosen: program 0
      0x00, 0xB2, 0x01, 0x1E,                          // modulation 30
      0x00, 0xB2, 0x40, 0x7F,                          // damper down
      0x14, 0x92, 0x48, 0x7F,                          // 20 ms = 19.2 ticks, written as 20
      0x60, 0x92, 0x48, 0x00,                          // 50 + 50 ms = 96 ticks
      0x00, 0xB2, 0x40, 0x00,                          // damper up
      0x83, 0x60, 0xFF, 0x2F, 0x00};                   // 500 ms, End of Track, no tail
  // clang-format on
  ASSERT_GE(file.size(), tail.size());
  EXPECT_EQ(Bytes(file.end() - static_cast<std::ptrdiff_t>(tail.size()), file.end()), tail);
  const std::uint32_t length = (file[18] << 24) | (file[19] << 16) | (file[20] << 8) | file[21];
  EXPECT_EQ(length, file.size() - 22);
}

TEST(MidiWriter, WritesThroughATemporaryFileAndReportsFailures) {
  PlayerState state;
  state.smf.MidiEndTime = 9000;
  SetEvents(state, {{0, 60, kEventNoteOn, 100}, {10, 60, kEventEndMark, 0}});
  const std::string dir = testing::MakeTempDir("mid");
  const std::string path = dir + "/out.mid";
  ASSERT_TRUE(WriteFileAtomically(path, "old"));
  EXPECT_FALSE(WriteMidiFile(state, path, 0));
  EXPECT_EQ(state.smf.MidiEndTime, 5000);
  const auto written = ReadFileBytes(path);
  const Bytes expected = BuildMidiFile(state, 0);
  EXPECT_EQ(*written, std::string(expected.begin(), expected.end()));
  const auto failed = WriteMidiFile(state, dir + "/missing/out.mid", 0);
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->text_entry, 0);
  EXPECT_NE(failed->detail.find("out.mid"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kirivane
