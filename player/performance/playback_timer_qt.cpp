#include "player/performance/playback_timer_qt.h"

#include <chrono>
#include <thread>

namespace kirivane {

namespace {

std::int64_t SteadyMicros() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

PlaybackTimer::PlaybackTimer(PlaybackEngine& engine, QObject* parent)
    : QObject(parent), engine_(engine) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &PlaybackTimer::OnTimeout);
  engine_.SetScheduler(this);
}

void PlaybackTimer::AdvanceSoon() {
  timer_.start(0);
}

void PlaybackTimer::OnTimeout() {
  if (const auto due = engine_.Advance()) ArmFor(*due);
}

void PlaybackTimer::ArmFor(std::uint32_t due_ms) {
  const std::int64_t now_us = SteadyMicros();
  // Microseconds until the due millisecond begins, across the 32-bit millisecond clock's wrap.
  const auto ahead_ms =
      static_cast<std::int32_t>(due_ms - static_cast<std::uint32_t>(now_us / 1000));
  const std::int64_t wait_us = std::int64_t{ahead_ms} * 1000 - now_us % 1000;
  if (wait_us > 0 && wait_us < 1000) {
    // The event loop waits in whole milliseconds, rounded up: the last fraction of one is
    // slept here, which is shorter and far more exact than another turn of the loop.
    std::this_thread::sleep_for(std::chrono::microseconds(wait_us));
    timer_.start(0);
    return;
  }
  // Whole milliseconds before the due time; the wake comes at most a millisecond early and
  // the fraction left is slept above.
  timer_.start(static_cast<int>(std::max<std::int64_t>(0, wait_us / 1000)));
}

}  // namespace kirivane
