#include "player/performance/playback_engine.h"

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi_in.h"
#include "fakes/fake_sounds.h"
#include "fakes/fake_surface.h"
#include "fakes/fake_window.h"
#include "player/app/player.h"

namespace kirivane {
namespace {

using testing::FakeClock;

// A note message and the clock time it left at.
struct Sent {
  std::uint32_t at;
  int status;
  int note;
  bool operator==(const Sent&) const = default;
};

class TimedMidiOut : public MidiOut {
 public:
  explicit TimedMidiOut(Clock& clock) : clock_(clock) {}
  std::vector<std::string> DeviceNames() override { return {}; }
  int Open(int) override { return 0; }
  bool IsOpen() const override { return true; }
  void SendShort(std::uint32_t packed) override {
    sent.push_back(
        {clock_.NowMs(), static_cast<int>(packed & 0xF0), static_cast<int>((packed >> 8) & 0xFF)});
  }
  void SendLong(const std::vector<std::uint8_t>&) override {}
  void Reset() override { ++resets; }
  void Close() override {}
  std::string ErrorText(int) override { return {}; }

  // Note-ons and note-offs before the first of a run of 128 note-offs (AllNotesOff).
  std::vector<Sent> Notes() const {
    std::vector<Sent> out;
    for (const Sent& s : sent) {
      if (s.status == 0x90 || s.status == 0x80) out.push_back(s);
    }
    return out;
  }
  int AllNotesOffs() const {
    int count = 0;
    for (const Sent& s : sent) count += s.status == 0x80 && s.note == 127;
    return count;
  }

  std::vector<Sent> sent;
  int resets = 0;

 private:
  Clock& clock_;
};

// What the panel would show, as far as the tests look at it.
class RecordingView : public TransportView {
 public:
  void ShowStart(bool enabled, int picture) override {
    start_enabled = enabled;
    start_picture = picture;
  }
  void ShowStop(bool enabled, int) override { stop_enabled = enabled; }
  void ShowRunning(bool running) override { this->running = running; }
  bool start_enabled = true;
  int start_picture = 0;
  bool stop_enabled = false;
  bool running = false;
};

class Scheduler : public PlaybackScheduler {
 public:
  void AdvanceSoon() override { ++requests; }
  int requests = 0;
};

struct Ev {
  int delta, data, kind, velocity;
};

class PlaybackTest : public ::testing::Test {
 protected:
  PlaybackTest() {
    engine.SetScheduler(&scheduler);
    transport.SetView(&view);
    player.SetWindow(nullptr, &messages);
    state.layout.PanelOpen = -1;  // the transport's buttons lie on the open strip
    state.app.LangTable[kEntryNoPerformance] = "No performance";
  }
  // A performance as a loaded file leaves it: the events, then one empty slot.
  void Load(const std::vector<Ev>& events, int clock_time) {
    state.performance.ClockTime = clock_time;
    state.events.Recreate(events.size() + 1);
    for (std::size_t i = 0; i < events.size(); ++i) {
      state.events.Set(i, events[i].delta, events[i].data, events[i].kind, events[i].velocity);
    }
    state.events.EventCount = static_cast<std::int32_t>(events.size());
    state.events.RecomputeTimes(clock_time);
  }
  // The timer fires at `at`; returns the engine's next due time.
  std::optional<std::uint32_t> WakeAt(std::uint32_t at) {
    clock.now_ms = at;
    return engine.Advance();
  }
  // The timer fires at every due time up to `until`; returns the due time still waited for.
  std::optional<std::uint32_t> RunUntil(std::uint32_t until) {
    auto due = engine.Advance();
    while (due && *due <= until) due = WakeAt(*due);
    clock.now_ms = until;
    return due;
  }

  PlayerState state;
  FakeClock clock;
  TimedMidiOut out{clock};
  testing::FakeMidiIn midi_in;
  testing::FakeRandom random;
  testing::FakeKeyHook hook;
  testing::FakeSounds sounds;
  testing::FakeSurface surface;
  testing::FakeMessages messages;
  RecordingView view;
  Scheduler scheduler;
  Player player{state, {out, midi_in, clock, random, hook, sounds}, surface};
  MidiMode& midi = player.midi;
  PlaybackEngine& engine = player.engine;
  Transport& transport = player.transport;
};

TEST_F(PlaybackTest, WaitsCarryLatenessDropItAfterStallsAndFollowTheSpeedAtOnce) {
  Load({{0, 60, kEventNoteOn, 100},
        {50, 60, kEventNoteOff, 0},  // 2 ms ticks: 100 ms
        {50, 62, kEventNoteOn, 90},
        {0, 64, kEventNoteOn, 90},
        {200, 62, kEventNoteOff, 0},
        {10, 64, kEventNoteOff, 0},
        {10, 60, kEventEndMark, 0}},
       2);
  clock.now_ms = 1000;
  ASSERT_TRUE(transport.StartPlayback(60));
  EXPECT_EQ(scheduler.requests, 1);
  EXPECT_EQ(engine.Advance(), 1100u);  // the first note goes at once
  EXPECT_EQ(WakeAt(1103), 1200u);      // woken 3 ms late: the next wait is 3 ms shorter
  // 300 ms late (150 ticks, not more): both notes of the chord at once, and the carry brings
  // the 400 ms gap after them back on schedule.
  EXPECT_EQ(WakeAt(1500), 1600u);
  // More than 150 ticks late: the carry is dropped and the next event (20 ms gap) comes 50 ms
  // later than its gap.
  EXPECT_EQ(WakeAt(1901), 1901u + 20 + 50);
  // A speed change during a wait moves the target at once; the position keeps running in
  // performance time.
  clock.now_ms = 1911;
  transport.ShowRunningTime();
  EXPECT_EQ(state.performance.PlayNextTime, 600 + 10);
  transport.CycleSpeed(true);  // 1.0 -> 2.0
  EXPECT_EQ(state.performance.PlaySpeed, 2.0f);
  EXPECT_EQ(scheduler.requests, 2);
  EXPECT_EQ(engine.Advance(), 1901u + 40 + 50);
  clock.now_ms = 1923;
  engine.UpdatePosition();
  EXPECT_EQ(state.performance.PlayNextTime, 610 + 6);
  // While the window is dragged no lateness is carried.
  state.performance.PlayInterrupt = -1;
  EXPECT_EQ(WakeAt(2001), 2001u + 40);
  EXPECT_EQ(WakeAt(2020), 2041u);  // an early wake sends nothing
  EXPECT_TRUE(engine.Active());
  EXPECT_EQ(WakeAt(2041), std::nullopt);  // the end mark, then the pass is over
  EXPECT_FALSE(engine.Active());

  const std::vector<Sent> expected = {{1000, 0x90, 60}, {1103, 0x80, 60}, {1500, 0x90, 62},
                                      {1500, 0x90, 64}, {1901, 0x80, 62}, {2001, 0x80, 64}};
  const auto notes = out.Notes();
  ASSERT_GE(notes.size(), expected.size());
  EXPECT_EQ(std::vector<Sent>(notes.begin(), notes.begin() + 6), expected);
  EXPECT_EQ(notes.size(), 6u + 128);  // AllNotesOff once at the end of the pass
  EXPECT_EQ(out.resets, 1);           // ResetSound after the last pass
  EXPECT_EQ(state.performance.Playing, 0);
  EXPECT_EQ(view.start_picture, kPicStartIdle);
}

TEST_F(PlaybackTest, JumpsLoopsAndStopsOnceHoweverOftenStopRuns) {
  std::vector<Ev> events;
  for (int i = 0; i < 40; ++i) {
    events.push_back({10, 40 + i, i % 2 ? kEventNoteOff : kEventNoteOn, i % 2 ? 0 : 80});
  }
  events.push_back({10, 60, kEventEndMark, 0});
  Load(events, 1);

  // Nothing to play: the error sound and message 323, nothing runs.
  const EventTable loaded = state.events;
  state.events.EventCount = 1;
  EXPECT_FALSE(transport.StartPlayback(60));
  ASSERT_EQ(messages.errors.size(), 1u);
  EXPECT_EQ(messages.errors[0].text, "No performance");
  EXPECT_EQ(sounds.played, std::vector<int>{kSoundError});
  EXPECT_FALSE(engine.Active());
  state.events = loaded;

  clock.now_ms = 5000;
  state.performance.LoopOn = 1;
  ASSERT_TRUE(transport.StartPlayback(60));
  EXPECT_EQ(state.performance.Playing, -1);
  EXPECT_FALSE(view.start_enabled);
  EXPECT_TRUE(view.running);
  EXPECT_EQ(state.performance.PlayLength, 41);
  // Forward during the wait for event 10: a step of 41/20 = 2 events, sent at the due time.
  EXPECT_EQ(RunUntil(5105), 5110u);
  ASSERT_EQ(state.performance.PlayIndex, 10);
  transport.JumpForward();
  EXPECT_EQ(state.performance.PlayIndex, 12);
  EXPECT_EQ(state.performance.PlayNextTime, 130);
  EXPECT_EQ(out.AllNotesOffs(), 1);
  EXPECT_EQ(WakeAt(5110), 5120u);
  EXPECT_EQ(out.Notes().back(), (Sent{5110, 0x90, 52}));
  transport.JumpBack();  // 13 -> 11
  EXPECT_EQ(WakeAt(5120), 5130u);
  EXPECT_EQ(out.Notes().back(), (Sent{5120, 0x80, 51}));
  state.performance.PlayIndex = 1;
  transport.JumpBack();  // lands on the first event
  EXPECT_EQ(state.performance.PlayIndex, 0);
  EXPECT_EQ(state.performance.PlayNextTime, 10);
  state.performance.PlayIndex = 40;
  sounds.played.clear();
  transport.JumpForward();  // past the end: no jump
  EXPECT_EQ(state.performance.PlayIndex, 40);
  EXPECT_TRUE(sounds.played.empty());

  // The end mark ends the pass with the notes off; the next pass starts afresh at once.
  const std::size_t before = out.sent.size();
  EXPECT_EQ(WakeAt(5130), 5140u);
  EXPECT_EQ(out.sent.size(), before + 128);
  EXPECT_EQ(state.performance.ClockStart, 5130u);
  EXPECT_EQ(state.performance.PlayIndex, 0);
  EXPECT_EQ(state.performance.PlayNextTime, 0);
  EXPECT_EQ(RunUntil(5545), 5550u);  // a whole pass of 41 gaps, and the third has begun
  EXPECT_EQ(state.performance.ClockStart, 5540u);
  EXPECT_TRUE(engine.Active());

  // A stop during a wait: nothing more is sent; the loop ends with its notes off and the sound
  // reset. Stopping again changes nothing.
  const int requests = scheduler.requests;
  const std::size_t notes = out.Notes().size();
  transport.Stop();
  EXPECT_EQ(scheduler.requests, requests + 1);
  EXPECT_EQ(state.performance.Playing, 0);
  EXPECT_EQ(WakeAt(5546), std::nullopt);
  EXPECT_FALSE(engine.Active());
  EXPECT_EQ(out.resets, 1);
  transport.Stop();
  transport.StopRunning();
  EXPECT_EQ(WakeAt(5600), std::nullopt);
  EXPECT_EQ(out.Notes().size(), notes + 128 * 3);  // Stop, the end of the loop, Stop again
  EXPECT_EQ(out.resets, 1);
  EXPECT_EQ(state.performance.Playing, 0);
  EXPECT_TRUE(view.start_enabled);
  EXPECT_FALSE(view.stop_enabled);
  EXPECT_FALSE(view.running);

  // A take stopped twice is closed once.
  transport.StartRecording(false, 120);
  EXPECT_EQ(view.start_picture, kPicStartRecording);
  midi.SendNoteOn(60);
  clock.now_ms += 250;
  transport.Stop();
  transport.Stop();
  ASSERT_EQ(state.events.EventCount, 2);
  EXPECT_EQ(state.events.EvKind[1], kEventEndMark);
  EXPECT_EQ(state.events.EvDelta[1], 250);
  EXPECT_EQ(state.performance.Recording, 0);
  EXPECT_EQ(state.performance.Tempo, 120);
}

}  // namespace
}  // namespace kirivane
