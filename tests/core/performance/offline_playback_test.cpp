#include "player/performance/offline_playback.h"

#include <gtest/gtest.h>

#include "fakes/fake_midi_out.h"
#include "player/performance/performance_file_type.h"
#include "player/performance/wave_header.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(OfflinePlayback, SendsEveryEventAfterItsGapOnThePlaybackChannel) {
  PlayerState state;
  state.performance.ClockTime = 2;
  state.midi.KeyOutChannel = 1;
  state.midi.PlayOutChannel = 3;
  state.events.Recreate(7);  // a loaded file: one empty slot after the end mark
  state.events.Set(0, 0, 0, kEventDamperDown, 0);
  state.events.Set(1, 5, 60, kEventNoteOn, 100);
  state.events.Set(2, 10, 60, kEventNoteOff, 0);
  state.events.Set(3, 0, 0, kEventDamperUp, 0);
  state.events.Set(4, 20, 60, kEventEndMark, 0);
  state.events.Set(5, 99, 61, kEventNoteOn, 100);  // after the end mark: not played
  state.events.EventCount = 6;
  testing::FakeMidiOut out;
  MidiMode midi(state, out);
  std::vector<std::int64_t> waits;
  std::vector<std::size_t> sent_before_wait;
  PlayPerformanceOffline(state, midi, [&](std::int64_t ms) {
    waits.push_back(ms);
    sent_before_wait.push_back(out.messages.size());
  });
  EXPECT_EQ(waits, (std::vector<std::int64_t>{10, 20, 40}));
  EXPECT_EQ(PerformanceLengthMs(state), 70);
  const auto& m = out.messages;
  ASSERT_GE(m.size(), 6u);
  EXPECT_EQ(m[0], (Bytes{0xB0, 64, 127}));  // damper on the keyboard and playback channels
  EXPECT_EQ(m[1], (Bytes{0xB2, 64, 127}));
  EXPECT_EQ(sent_before_wait[0], 2u);
  EXPECT_EQ(m[2], (Bytes{0x92, 60, 100}));
  EXPECT_EQ(m[3][0], 0x82);  // note-off on the playback channel
  EXPECT_EQ(m[3][1], 60);
  EXPECT_EQ(m[4], (Bytes{0xB0, 64, 0}));
  EXPECT_EQ(m[5], (Bytes{0xB2, 64, 0}));
  EXPECT_EQ(state.midi.PlayDamper, 0);
  for (std::size_t i = 6; i < m.size(); ++i) EXPECT_NE(m[i], (Bytes{0x92, 61, 100}));
}

TEST(OfflinePlayback, WaveHeaderOfStereo16Bit) {
  const std::string header = WaveHeader(44100, 44100);
  ASSERT_EQ(header.size(), 44u);
  const Bytes expected = {'R', 'I', 'F',  'F',  0x34, 0xB1, 0x02, 0x00, 'W',  'A',  'V',
                          'E', 'f', 'm',  't',  ' ',  16,   0,    0,    0,    1,    0,
                          2,   0,   0x44, 0xAC, 0,    0,    0x10, 0xB1, 0x02, 0x00, 4,
                          0,   16,  0,    'd',  'a',  't',  'a',  0x10, 0xB1, 0x02, 0x00};
  EXPECT_EQ(Bytes(header.begin(), header.end()), expected);
}

TEST(OfflinePlayback, FileTypesByExtension) {
  EXPECT_EQ(PerformanceFileTypeOf("/a/b.LYR"), PerformanceFileType::kLyr);
  EXPECT_EQ(PerformanceFileTypeOf("x.Mid"), PerformanceFileType::kMidi);
  EXPECT_EQ(PerformanceFileTypeOf("x.midi"), PerformanceFileType::kMidi);
  EXPECT_EQ(PerformanceFileTypeOf("x.mid.txt"), PerformanceFileType::kOther);
  EXPECT_EQ(PerformanceFileTypeOf("lyr"), PerformanceFileType::kOther);
}

}  // namespace
}  // namespace kirivane
