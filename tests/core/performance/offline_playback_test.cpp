#include "player/performance/offline_playback.h"

#include <gtest/gtest.h>

#include "player/performance/performance_file_type.h"
#include "player/performance/playback_engine.h"
#include "player/performance/wave_header.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(OfflinePlayback, RendersThroughTheEngineOnAVirtualClock) {
  PlayerState state;
  state.performance.ClockTime = 2;
  state.midi.KeyOutChannel = 1;
  state.midi.PlayOutChannel = 3;
  state.events.Recreate(7);  // a loaded file: one empty slot after the last event
  state.events.Set(0, 0, 0, kEventDamperDown, 0);
  state.events.Set(1, 5, 60, kEventNoteOn, 100);
  state.events.Set(2, -20, 60, kEventNoteOff, 0);  // late: the carry shortens the next gap
  state.events.Set(3, 30, 0, kEventDamperUp, 0);
  state.events.Set(4, 20, 60, kEventEndMark, 0);
  state.events.Set(5, 99, 61, kEventNoteOn, 100);  // walked like any event after the end mark
  state.events.EventCount = 6;
  state.events.RecomputeTimes(2);
  state.performance.LoopOn = 1;  // offline plays one pass whatever the setting
  class Out : public MidiOut {
   public:
    std::vector<std::string> DeviceNames() override { return {}; }
    int Open(int) override { return 0; }
    bool IsOpen() const override { return true; }
    void SendShort(std::uint32_t packed) override { sent.push_back({*now, packed}); }
    void SendLong(const std::vector<std::uint8_t>&) override {}
    void Reset() override {}
    void Close() override {}
    std::string ErrorText(int) override { return {}; }
    const std::int64_t* now = nullptr;
    std::vector<std::pair<std::int64_t, std::uint32_t>> sent;
  } out;
  std::int64_t reached = 0;
  out.now = &reached;
  MidiMode midi(state, out);
  std::vector<std::int64_t> stops;
  const std::int64_t end = PlayPerformanceOffline(state, midi, [&](std::int64_t ms) {
    stops.push_back(ms);
    reached = ms;
  });
  // Event 2 is 40 ms early, so it goes at once and event 3 comes 60 - 40 ms after it.
  EXPECT_EQ(stops, (std::vector<std::int64_t>{10, 30, 70, 268}));
  EXPECT_EQ(end, 268);
  EXPECT_EQ(PlaybackEngine::PassLengthMs(state), end);
  EXPECT_EQ(state.performance.LoopOn, 1);
  using P = std::pair<std::int64_t, std::uint32_t>;
  ASSERT_GE(out.sent.size(), 7u);
  EXPECT_EQ(out.sent[0], (P{0, 0x7F40B0}));  // damper on the keyboard and playback channels
  EXPECT_EQ(out.sent[1], (P{0, 0x7F40B2}));
  EXPECT_EQ(out.sent[2], (P{10, 0x643C92}));
  EXPECT_EQ(out.sent[3].first, 10);  // the early note-off
  EXPECT_EQ(out.sent[3].second & 0xFFFF, 0x3C82u);
  EXPECT_EQ(out.sent[4], (P{30, 0x0040B0}));
  EXPECT_EQ(out.sent[5], (P{30, 0x0040B2}));
  EXPECT_EQ(out.sent[6], (P{268, 0x643D92}));
  EXPECT_EQ(state.midi.PlayDamper, 0);
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
