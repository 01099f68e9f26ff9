#pragma once

#include <cstdint>
#include <functional>

#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"

namespace kirivane {

// Length of one playback pass of the performance in memory, in milliseconds: every gap up to
// and including the end mark, at normal speed.
std::int64_t PerformanceLengthMs(const PlayerState& state);

// Plays the performance in memory once through the MIDI layer without waiting on a clock:
// `wait(ms)` is called for every gap before an event, so an offline renderer can produce the
// sound of that gap. Events go out as playback sends them (playback channel, current
// transposition, the damper on both channels); the pass ends with AllNotesOff.
void PlayPerformanceOffline(PlayerState& state, MidiMode& midi,
                            const std::function<void(std::int64_t ms)>& wait);

}  // namespace kirivane
