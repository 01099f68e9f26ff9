#include "player/performance/recorder.h"

#include <gtest/gtest.h>

#include "player/midi/midi_mode.h"

#include "fakes/fake_clock.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_performance_notices.h"

namespace kirivane {
namespace {

using testing::FakeClock;
using testing::FakePerformanceNotices;

// The panel's stop as the playback engine does it: Recording = 0, then FinishRecording.
class PanelStop : public RecorderHost {
 public:
  void StopRunning() override {
    ++stops;
    if (recorder != nullptr && state->performance.Recording == -1) {
      state->performance.Recording = 0;
      recorder->FinishRecording();
    }
  }
  PlayerState* state = nullptr;
  Recorder* recorder = nullptr;
  int stops = 0;
};

class RecorderTest : public ::testing::Test {
 protected:
  RecorderTest() : recorder(state, clock, notices, &host) {
    host.state = &state;
    host.recorder = &recorder;
  }
  void Stop() {
    state.performance.Recording = 0;
    recorder.FinishRecording();
  }
  struct Event {
    int delta, data, kind, velocity;
    bool operator==(const Event&) const = default;
  };
  std::vector<Event> Events() const {
    std::vector<Event> out;
    for (int i = 0; i < state.events.EventCount; ++i) {
      out.push_back({state.events.EvDelta[i], state.events.EvData[i], state.events.EvKind[i],
                     state.events.EvVelocity[i]});
    }
    return out;
  }

  PlayerState state;
  FakeClock clock;
  FakePerformanceNotices notices;
  PanelStop host;
  Recorder recorder;
};

TEST_F(RecorderTest, NothingIsRecordedOutsideATake) {
  recorder.RecordEvent(60, 100, kEventNoteOn);
  EXPECT_EQ(state.events.EventCount, 0);
  EXPECT_EQ(state.events.Size(), 0u);
}

TEST_F(RecorderTest, ATakeStoresTicksAndClosesWithTheEndMark) {
  state.performance.ClockSetting = 1;
  state.performance.PerfTitle = "old";
  state.performance.MidiToLyr = 1;
  recorder.BeginTake(false, 126.5);
  EXPECT_EQ(state.performance.Tempo, 126);  // halves to even
  EXPECT_EQ(state.performance.FileFormatVer, 2);
  EXPECT_EQ(state.performance.PerfTitle, "");
  EXPECT_EQ(state.performance.MidiToLyr, 0);
  clock.Advance(100);
  recorder.RecordEvent(60, 121, kEventNoteOn);
  clock.Advance(480);
  recorder.RecordEvent(60, 0, kEventNoteOff);
  clock.Advance(35);
  state.midi.Transpose = 5;
  Stop();
  EXPECT_EQ(Events(), (std::vector<Event>{{100, 60, 1, 121}, {480, 60, 0, 0}, {35, 60, 2, 0}}));
  EXPECT_EQ(state.events.Size(), 3u);
  EXPECT_EQ(state.events.EvTimeMs, (std::vector<std::int32_t>{100, 580, 615}));
  EXPECT_EQ(state.midi.Transpose, 0);
}

TEST_F(RecorderTest, TicksFollowTheClockSetting) {
  state.performance.ClockSetting = 10;
  recorder.BeginTake(false, 60);
  clock.Advance(25);
  recorder.RecordEvent(62, 90, kEventNoteOn);
  clock.Advance(25);  // 50 ms since the start: tick 5, three after the first event
  recorder.RecordEvent(62, 0, kEventNoteOff);
  Stop();
  EXPECT_EQ(state.events.EvDelta[0], 2);
  EXPECT_EQ(state.events.EvDelta[1], 3);
  EXPECT_EQ(state.events.EvTimeMs[1], 50);
}

TEST_F(RecorderTest, AHeldDamperOpensAndClosesTheTake) {
  state.input.DamperDown = -1;
  recorder.BeginTake(false, 60);
  clock.Advance(10);
  recorder.RecordEvent(64, 100, kEventNoteOn);
  clock.Advance(40);
  Stop();
  EXPECT_EQ(Events(),
            (std::vector<Event>{{0, 0, 4, 0}, {10, 64, 1, 100}, {40, 0, 3, 0}, {0, 60, 2, 0}}));
}

TEST_F(RecorderTest, TheEventLimitEndsTheTakeAndReportsOnce) {
  recorder.BeginTake(false, 60);
  for (int i = 0; i < kRecordingEventLimit; ++i) {
    clock.Advance(1);
    recorder.RecordEvent(60, i % 2 ? 0 : 100, i % 2 ? kEventNoteOff : kEventNoteOn);
  }
  EXPECT_EQ(state.performance.Recording, 0);
  EXPECT_EQ(host.stops, 1);
  EXPECT_EQ(state.events.EventCount, 32768);
  EXPECT_EQ(state.events.EvKind[32767], kEventEndMark);
  ASSERT_EQ(notices.shown.size(), 1u);
  EXPECT_EQ(notices.shown[0].text_entry, 330);
  EXPECT_EQ(notices.shown[0].title_entry, 329);
  EXPECT_FALSE(notices.shown[0].title_after_app_title);
  recorder.RecordEvent(60, 100, kEventNoteOn);  // the take is over
  EXPECT_EQ(state.events.EventCount, 32768);
}

TEST_F(RecorderTest, TheTimeLimitStopsAfterFifteenMinutes) {
  recorder.BeginTake(false, 60);
  recorder.RecordEvent(60, 100, kEventNoteOn);
  clock.Advance(kRecordingTimeLimitMs);
  recorder.CheckTimeLimit();
  EXPECT_EQ(state.performance.Recording, -1);
  clock.Advance(1);
  recorder.CheckTimeLimit();
  EXPECT_EQ(state.performance.Recording, 0);
  ASSERT_EQ(notices.shown.size(), 1u);
  EXPECT_EQ(notices.shown[0].text_entry, 326);
  EXPECT_EQ(notices.shown[0].title_entry, 325);
  EXPECT_EQ(state.events.EventCount, 2);
}

TEST_F(RecorderTest, AContinuedTakeReplacesTheEndMarkAndSkipsThePause) {
  recorder.BeginTake(false, 60);
  clock.Advance(10);
  recorder.RecordEvent(60, 100, kEventNoteOn);
  clock.Advance(20);
  Stop();
  clock.Advance(5000);  // the pause between the takes is not kept
  recorder.BeginTake(true, 90);
  EXPECT_EQ(state.performance.Tempo, 60);
  clock.Advance(7);
  recorder.RecordEvent(60, 0, kEventNoteOff);
  clock.Advance(3);
  Stop();
  EXPECT_EQ(Events(), (std::vector<Event>{{10, 60, 1, 100}, {7, 60, 0, 0}, {3, 60, 2, 0}}));
}

TEST_F(RecorderTest, ContinuingATableWithoutEndMarkKeepsItsLastEvent) {
  state.performance.ClockTime = 1;
  state.events.Recreate(2);
  state.events.Set(0, 0, 60, kEventNoteOn, 100);
  state.events.Set(1, 9, 60, kEventNoteOff, 0);
  state.events.EventCount = 2;
  recorder.BeginTake(true, 60);
  clock.Advance(4);
  recorder.RecordEvent(62, 80, kEventNoteOn);
  Stop();
  EXPECT_EQ(Events(),
            (std::vector<Event>{{0, 60, 1, 100}, {9, 60, 0, 0}, {4, 62, 1, 80}, {0, 60, 2, 0}}));
}

TEST_F(RecorderTest, ContinuingWithoutAPerformanceStartsANewOne) {
  state.performance.FileFormatVer = 1;
  recorder.BeginTake(true, 80);
  EXPECT_EQ(state.performance.FileFormatVer, 2);
  EXPECT_EQ(state.performance.Tempo, 80);
  EXPECT_EQ(state.events.Size(), static_cast<std::size_t>(kRecordingCapacity));
}

TEST_F(RecorderTest, ContinuingALargeImportStillLeavesRoomForTheEndMark) {
  state.events.Recreate(40001);
  state.events.EventCount = 40000;
  state.events.EvKind[39999] = kEventEndMark;
  recorder.BeginTake(true, 60);
  clock.Advance(5);
  recorder.RecordEvent(61, 100, kEventNoteOn);  // over the limit: the take ends at once
  EXPECT_EQ(state.performance.Recording, 0);
  EXPECT_EQ(state.events.EventCount, 40001);
  EXPECT_EQ(state.events.EvData[39999], 61);
  EXPECT_EQ(state.events.EvKind[40000], kEventEndMark);
  EXPECT_LE(static_cast<std::size_t>(state.events.EventCount), state.events.Size());
}

// The recorder behind the MIDI layer: what the keyboard sends is what the take holds, with
// octave shift and transposition applied, and playback is not recorded.
TEST_F(RecorderTest, RecordsWhatTheMidiLayerSends) {
  testing::FakeMidiOut out;
  MidiMode midi(state, out);
  midi.SetEventSink(&recorder);
  state.midi.OctaveShift = 1;
  state.midi.Transpose = -2;
  recorder.BeginTake(false, 60);
  clock.Advance(3);
  midi.KeyNoteOn(7 + 12);  // the lowest key: G below middle C, an octave up, minus 2
  clock.Advance(4);
  midi.DamperOn();
  midi.PlayRecordedNote(70, 100);
  clock.Advance(5);
  midi.KeyNoteOff(7 + 12);
  midi.DamperOff();
  Stop();
  EXPECT_EQ(Events(),
            (std::vector<Event>{
                {3, 65, 1, 121}, {4, 0, 4, 0}, {5, 65, 0, 0}, {0, 0, 3, 0}, {0, 60, 2, 0}}));
}

}  // namespace
}  // namespace kirivane
