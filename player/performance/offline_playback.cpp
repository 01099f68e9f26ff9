#include "player/performance/offline_playback.h"

#include <algorithm>

namespace kirivane {

namespace {

std::size_t EventsToPlay(const EventTable& events) {
  return std::min<std::size_t>(static_cast<std::size_t>(std::max(0, events.EventCount)),
                               events.Size());
}

std::int64_t GapMs(const PlayerState& state, std::size_t i) {
  return std::max<std::int64_t>(
      0, std::int64_t{state.events.EvDelta[i]} * state.performance.ClockTime);
}

}  // namespace

std::int64_t PerformanceLengthMs(const PlayerState& state) {
  std::int64_t total = 0;
  for (std::size_t i = 0; i < EventsToPlay(state.events); ++i) {
    total += GapMs(state, i);
    if (state.events.EvKind[i] == kEventEndMark) break;
  }
  return total;
}

void PlayPerformanceOffline(PlayerState& state, MidiMode& midi,
                            const std::function<void(std::int64_t ms)>& wait) {
  const EventTable& events = state.events;
  for (std::size_t i = 0; i < EventsToPlay(events); ++i) {
    const std::int64_t gap = GapMs(state, i);
    if (gap > 0) wait(gap);
    switch (events.EvKind[i]) {
      case kEventEndMark:
        i = events.Size();  // the end mark closes the pass
        break;
      case kEventDamperUp:
        midi.DamperOff();
        state.midi.PlayDamper = 0;
        break;
      case kEventDamperDown:
        midi.DamperOn();
        state.midi.PlayDamper = -1;
        break;
      default:
        midi.PlayRecordedNote(events.EvData[i], events.EvVelocity[i]);
    }
  }
  midi.AllNotesOff();
}

}  // namespace kirivane
