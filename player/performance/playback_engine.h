#pragma once

#include <cstdint>
#include <optional>

#include "common/basic/clock.h"
#include "player/state/player_state.h"
#include "player/midi/midi_mode.h"

namespace kirivane {

// A stall longer than this many ticks drops the lateness carry: the next event then comes
// kStallDelayMs after the stall instead of all the late events in a burst.
inline constexpr int kStallTicks = 150;
inline constexpr int kStallDelayMs = 50;

// What the engine asks of the panel around it.
class PlaybackHost {
 public:
  virtual ~PlaybackHost() = default;
  // Keys drawn by the events sent so far should become visible (called before a wait).
  virtual void RefreshKeyboard() {}
  // The last pass is over, or a stop was noticed; AllNotesOff has been sent. The panel leaves
  // the running state.
  virtual void PlaybackEnded() {}
};

// Calls PlaybackEngine::Advance: the window's precise timer, or a loop over a virtual clock.
class PlaybackScheduler {
 public:
  virtual ~PlaybackScheduler() = default;
  // Advance should run as soon as possible (a start, a speed change, a stop request).
  virtual void AdvanceSoon() = 0;
};

// Plays the performance in memory through the MIDI layer as a state machine over a clock.
// It never waits itself: Advance sends what is due and says when it is next due, so a timer,
// a thread or an offline renderer can drive it.
//
// Each wait runs from the moment the previous event was sent and is shortened by that event's
// lateness, so small delays do not add up; a stall of more than kStallTicks ticks drops the
// carry. While PlayInterrupt is -1 no lateness is carried. A change of PlaySpeed during a wait
// takes effect at once; a PlayIndex moved during a wait is read when the wait ends. PlayStop
// set to -1 ends the pass at the next Advance. Each pass ends with AllNotesOff; while LoopOn
// is 1 the next pass starts afresh.
class PlaybackEngine {
 public:
  PlaybackEngine(PlayerState& state, MidiMode& midi, Clock& clock, PlaybackHost* host = nullptr);

  void SetScheduler(PlaybackScheduler* scheduler) { scheduler_ = scheduler; }

  // Starts the first pass now; the caller has set PlayStop = 0. Asks the scheduler to advance.
  // With fewer than two slots in the columns playback ends at once (without AllNotesOff).
  void Start();
  // Sends every event due by the clock now. Returns the clock time (NowMs) at which the next
  // event is due, or nothing once playback has ended.
  std::optional<std::uint32_t> Advance();
  // Moves PlayNextTime on with the clock during a wait, as the time display shows it. Sends
  // nothing.
  void UpdatePosition();
  // PlaySpeed or PlayStop changed: lets the scheduler advance at once.
  void Nudge();

  bool Active() const { return phase_ != Phase::kIdle; }

  // Milliseconds one pass takes at normal speed when nothing is late: the gaps of the events
  // a pass walks.
  static std::int64_t PassLengthMs(const PlayerState& state);

 private:
  enum class Phase { kIdle, kPrepare, kWait };

  std::int64_t Now();
  void BeginPass();
  void EndPass();
  void Finish();
  // Steps before a wait: picture refresh, lateness rules, the target time. False: pass over.
  bool PrepareWait();
  std::int64_t Target() const;
  // Sends the event at PlayIndex (read now). False when the index left the pass.
  bool SendEvent(std::int64_t now);
  void MovePosition(std::int64_t now);

  PlayerState& state_;
  MidiMode& midi_;
  Clock& clock_;
  PlaybackHost* host_;
  PlaybackScheduler* scheduler_ = nullptr;

  Phase phase_ = Phase::kIdle;
  // The 32-bit clock unwrapped into 64 bits, so that waits across its wrap stay right.
  std::uint32_t last_raw_ = 0;
  std::int64_t now_ = 0;
  std::int64_t sent_at_ = 0;      // when the previous event was sent (l)
  std::int64_t lateness_ = 0;     // how late it was sent (t)
  std::int64_t position_at_ = 0;  // last PlayNextTime update during a wait (o)
  std::int64_t gap_ms_ = 0;       // gap of the awaited event at normal speed (x)
  float speed_ = 1.0f;            // PlaySpeed the target was computed with (s)
  std::int64_t target_ = 0;       // when the awaited event is due (D)
};

}  // namespace kirivane
