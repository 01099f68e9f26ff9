#include "player/performance/recorder.h"

#include <algorithm>

#include "common/basic/text_rules.h"

namespace kirivane {

namespace {

// The pedal is down when the Space key or the MIDI input holds it.
bool DamperHeld(const PlayerState& state) {
  return state.input.DamperDown == -1 || state.midi_in.DamperChannel != 0;
}

}  // namespace

Recorder::Recorder(PlayerState& state, Clock& clock, PerformanceNotices& notices,
                   RecorderHost* host)
    : state_(state), clock_(clock), notices_(notices), host_(host) {}

std::int32_t Recorder::TicksNow() {
  const std::uint32_t elapsed = clock_.NowMs() - state_.performance.ClockStart;
  const auto clock_time = static_cast<std::uint32_t>(std::max(1, state_.performance.ClockTime));
  return static_cast<std::int32_t>(elapsed / clock_time);
}

void Recorder::RecordEvent(int data, int velocity, int kind) {
  auto& perf = state_.performance;
  auto& events = state_.events;
  if (perf.Recording != -1) return;
  // Room for this event and for the end mark that closes the take.
  if (static_cast<std::size_t>(events.EventCount) + 2 > events.Size()) {
    StopForLimit(kEntryEventLimitText, kEntryEventLimitTitle);
    return;
  }
  const std::int32_t t = TicksNow();
  perf.ClockTicks = t;
  const auto i = static_cast<std::size_t>(events.EventCount);
  events.Set(i, t - perf.ClockTicksSeen, data, kind, velocity);
  events.EventCount += 1;
  perf.ClockTicksSeen = t;
  if (events.EventCount >= kRecordingEventLimit) {
    StopForLimit(kEntryEventLimitText, kEntryEventLimitTitle);
  }
}

void Recorder::StopForLimit(int text_entry, int title_entry) {
  if (host_ != nullptr) {
    host_->StopRunning();
  }
  if (state_.performance.Recording == -1) {  // no host, or a host that did not finish it
    state_.performance.Recording = 0;
    FinishRecording();
  }
  PerformanceMessage message;
  message.text_entry = text_entry;
  message.title_entry = title_entry;
  message.title_after_app_title = false;
  message.detail = text_entry == kEntryEventLimitText ? "the recording is full (32767 events)"
                                                      : "the recording reached 15 minutes";
  notices_.ShowMessage(message);
}

void Recorder::BeginTake(bool continue_requested, double tempo_box_value) {
  auto& perf = state_.performance;
  perf.Recording = -1;
  if (continue_requested && state_.events.EventCount > 0) {
    ContinueRecording();
    return;
  }
  perf.ClockTicksSeen = 0;
  perf.ClockTicks = 0;
  perf.PerfTitle.clear();
  perf.PerfAuthor.clear();
  perf.MidiToLyr = 0;
  perf.FileFormatVer = 2;
  perf.ClockTime = perf.ClockSetting;
  perf.Tempo = static_cast<int>(RoundHalfEven(tempo_box_value));
  StartNewRecording();
}

void Recorder::StartNewRecording() {
  state_.events.Recreate(kRecordingCapacity);
  state_.events.EventCount = 0;
  state_.performance.ClockStart = clock_.NowMs();
  if (DamperHeld(state_)) RecordEvent(0, 0, kEventDamperDown);
}

void Recorder::ContinueRecording() {
  auto& perf = state_.performance;
  auto& events = state_.events;
  // The first event of the new take replaces the end mark of the previous one.
  const std::int32_t last = events.EventCount - 1;
  if (last >= 0 && events.EvKind[static_cast<std::size_t>(last)] == kEventEndMark) {
    events.EventCount = last;
  }
  events.Resize(
      std::max<std::size_t>(kRecordingCapacity, static_cast<std::size_t>(events.EventCount) + 2));
  perf.ClockStart = clock_.NowMs();
  perf.ClockTicks = perf.ClockTicksSeen = TicksNow();
  if (DamperHeld(state_)) RecordEvent(0, 0, kEventDamperDown);
}

void Recorder::FinishRecording() {
  auto& perf = state_.performance;
  auto& events = state_.events;
  perf.ClockTicks = TicksNow();
  std::int32_t gap = perf.ClockTicks - perf.ClockTicksSeen;
  const bool damper_held = DamperHeld(state_);
  events.Resize(std::max(events.Size(), static_cast<std::size_t>(events.EventCount) + 2));
  if (damper_held) {
    events.Set(static_cast<std::size_t>(events.EventCount), gap, 0, kEventDamperUp, 0);
    events.EventCount += 1;
    perf.ClockTicksSeen = perf.ClockTicks;
    gap = 0;
  }
  events.Set(static_cast<std::size_t>(events.EventCount), gap, 60, kEventEndMark, 0);
  events.EventCount += 1;
  events.Resize(static_cast<std::size_t>(events.EventCount));
  events.RecomputeTimes(perf.ClockTime);
  // The recorded notes carry the transposition already; playback adds the current one.
  state_.midi.Transpose = 0;
  perf.PlaySpeed = 1.0f;
}

void Recorder::CheckTimeLimit() {
  if (state_.performance.Recording != -1) return;
  if (clock_.NowMs() - state_.performance.ClockStart > kRecordingTimeLimitMs) {
    StopForLimit(kEntryTimeLimitText, kEntryTimeLimitTitle);
  }
}

}  // namespace kirivane
