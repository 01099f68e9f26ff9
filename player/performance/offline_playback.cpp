#include "player/performance/offline_playback.h"

#include "player/performance/playback_engine.h"

namespace kirivane {

std::int64_t PlayPerformanceOffline(PlayerState& state, MidiMode& midi,
                                    const std::function<void(std::int64_t ms)>& reach) {
  VirtualClock clock;
  PlaybackEngine engine(state, midi, clock);
  const int loop = state.performance.LoopOn;
  state.performance.LoopOn = 0;  // one pass
  state.performance.PlayStop = 0;
  engine.Start();
  while (const auto due = engine.Advance()) {
    reach(*due);
    clock.now_ms = *due;
  }
  state.performance.LoopOn = loop;
  return clock.now_ms;
}

}  // namespace kirivane
