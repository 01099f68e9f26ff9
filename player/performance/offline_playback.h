#pragma once

#include <cstdint>
#include <functional>

#include "common/basic/clock.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"

namespace kirivane {

// A clock that stands still until it is set: the playback engine's clock when nothing waits in
// real time (rendering, tests of whole passes).
class VirtualClock : public Clock {
 public:
  std::uint32_t NowMs() override { return now_ms; }
  void SleepMs(int milliseconds) override {
    if (milliseconds > 0) now_ms += static_cast<std::uint32_t>(milliseconds);
  }
  CalendarDate Today() override { return {}; }

  std::uint32_t now_ms = 0;
};

// Plays one pass of the performance in memory through the playback engine on a virtual clock
// that starts at 0, as fast as the caller goes: before the clock moves on to the next event,
// `reach(ms)` is called so an offline renderer can produce the sound up to that time. Events go
// out exactly as live playback sends them (playback channel, current transposition, the damper
// on both channels) and the pass ends with AllNotesOff. Returns the time the pass ended at,
// which is PlaybackEngine::PassLengthMs.
std::int64_t PlayPerformanceOffline(PlayerState& state, MidiMode& midi,
                                    const std::function<void(std::int64_t ms)>& reach);

}  // namespace kirivane
