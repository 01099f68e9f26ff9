#include "player/performance/playback_engine.h"

#include <algorithm>

#include "common/basic/text_rules.h"
#include "player/midi/midi_hooks.h"

namespace kirivane {

namespace {

// The position is moved on during a wait once this many milliseconds have passed.
constexpr std::int64_t kPositionStepMs = 6;

int ClockTimeOf(const PlayerState& state) {
  return std::max(1, state.performance.ClockTime);
}

std::int64_t GapMs(const PlayerState& state, std::int32_t index) {
  return std::int64_t{state.events.EvDelta[static_cast<std::size_t>(index)]} * ClockTimeOf(state);
}

// Events a pass walks: 0 .. upper index of the columns - 1, so a recording's end mark (the last
// slot) is not waited for, and a loaded file's is (it keeps an empty slot after it).
std::int32_t PassEnd(const PlayerState& state) {
  return state.events.UpperIndex();
}

}  // namespace

PlaybackEngine::PlaybackEngine(PlayerState& state, MidiMode& midi, Clock& clock, PlaybackHost* host)
    : state_(state), midi_(midi), clock_(clock), host_(host) {}

std::int64_t PlaybackEngine::Now() {
  const std::uint32_t raw = clock_.NowMs();
  now_ += static_cast<std::uint32_t>(raw - last_raw_);
  last_raw_ = raw;
  return now_;
}

void PlaybackEngine::Start() {
  last_raw_ = clock_.NowMs();
  now_ = last_raw_;
  BeginPass();
  if (Active() && scheduler_ != nullptr) scheduler_->AdvanceSoon();
}

void PlaybackEngine::BeginPass() {
  auto& perf = state_.performance;
  const std::int64_t now = Now();
  perf.ClockStart = static_cast<std::uint32_t>(now);
  perf.PlayNextTime = 0;
  lateness_ = 0;
  sent_at_ = now;
  position_at_ = now;
  perf.ClockTicks = perf.ClockTicksSeen = 0;
  perf.PlayLength = PassEnd(state_);
  if (perf.PlayLength < 1) {
    Finish();
    return;
  }
  perf.PlayIndex = 0;
  phase_ = Phase::kPrepare;
}

void PlaybackEngine::EndPass() {
  midi_.AllNotesOff();
  if (state_.performance.LoopOn == 1 && state_.performance.PlayStop == 0) {
    BeginPass();
  } else {
    Finish();
  }
}

void PlaybackEngine::Finish() {
  phase_ = Phase::kIdle;
  if (host_ != nullptr) host_->PlaybackEnded();
}

bool PlaybackEngine::PrepareWait() {
  auto& perf = state_.performance;
  const std::int32_t index = perf.PlayIndex;
  if (index < 0 || index > perf.PlayLength - 1 || index >= PassEnd(state_)) return false;
  gap_ms_ = GapMs(state_, index);
  if (gap_ms_ > 0 && host_ != nullptr) host_->RefreshKeyboard();
  if (perf.PlayInterrupt == -1) lateness_ = 0;
  if (lateness_ > std::int64_t{kStallTicks} * ClockTimeOf(state_)) {
    lateness_ = -kStallDelayMs;
    if (perf.PlayStop == -1) return false;
  }
  speed_ = perf.PlaySpeed;
  target_ = Target();
  return perf.PlayStop != -1;
}

std::int64_t PlaybackEngine::Target() const {
  return sent_at_ + RoundHalfEven(static_cast<double>(gap_ms_) * speed_) - lateness_;
}

bool PlaybackEngine::SendEvent(std::int64_t now) {
  auto& perf = state_.performance;
  const std::int32_t index = perf.PlayIndex;  // a jump during the wait lands here
  if (index < 0 || index >= perf.PlayLength || index >= PassEnd(state_)) return false;
  const auto i = static_cast<std::size_t>(index);
  const EventTable& events = state_.events;
  switch (events.EvKind[i]) {
    case kEventEndMark:
      break;
    case kEventDamperUp:
      midi_.DamperOff();
      state_.midi.PlayDamper = 0;
      break;
    case kEventDamperDown:
      midi_.DamperOn();
      state_.midi.PlayDamper = -1;
      break;
    default:
      midi_.PlayRecordedNote(events.EvData[i], events.EvVelocity[i]);
  }
  lateness_ = now - target_;
  sent_at_ = Now();
  // The position runs on from this event's time, not from before it was sent.
  position_at_ = sent_at_;
  perf.PlayNextTime = events.EvTimeMs[i];
  perf.PlayIndex = index + 1;
  return true;
}

void PlaybackEngine::MovePosition(std::int64_t now) {
  auto& perf = state_.performance;
  if (now - position_at_ < kPositionStepMs) return;
  const double speed = perf.PlaySpeed > 0 ? perf.PlaySpeed : 1.0;
  perf.PlayNextTime +=
      static_cast<std::int32_t>(RoundHalfEven(static_cast<double>(now - position_at_) / speed));
  position_at_ = now;
}

std::optional<std::uint32_t> PlaybackEngine::Advance() {
  while (phase_ != Phase::kIdle) {
    if (phase_ == Phase::kPrepare) {
      if (PrepareWait()) {
        phase_ = Phase::kWait;
      } else {
        EndPass();
      }
      continue;
    }
    const std::int64_t now = Now();
    if (state_.performance.PlaySpeed != speed_) {
      speed_ = state_.performance.PlaySpeed;
      target_ = Target();
    }
    if (state_.performance.PlayStop == -1) {
      EndPass();
      continue;
    }
    if (target_ > now) {
      MovePosition(now);
      return static_cast<std::uint32_t>(target_);
    }
    if (SendEvent(now)) {
      phase_ = Phase::kPrepare;
    } else {
      EndPass();
    }
  }
  return std::nullopt;
}

void PlaybackEngine::UpdatePosition() {
  if (phase_ == Phase::kWait) MovePosition(Now());
}

void PlaybackEngine::Nudge() {
  if (Active() && scheduler_ != nullptr) scheduler_->AdvanceSoon();
}

std::int64_t PlaybackEngine::PassLengthMs(const PlayerState& state) {
  // The engine's arithmetic on a clock that jumps straight to every target.
  const std::int32_t end = PassEnd(state);
  std::int64_t now = 0;
  std::int64_t lateness = 0;
  for (std::int32_t i = 0; i < end; ++i) {
    if (lateness > std::int64_t{kStallTicks} * ClockTimeOf(state)) lateness = -kStallDelayMs;
    const std::int64_t target = now + GapMs(state, i) - lateness;
    const std::int64_t sent = std::max(now, target);
    lateness = sent - target;
    now = sent;
  }
  return now;
}

}  // namespace kirivane
