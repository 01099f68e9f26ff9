#pragma once

#include "common/basic/clock.h"

namespace kirivane {

// The real clock: milliseconds of std::chrono::steady_clock, sleeps of the calling thread,
// and the local calendar date.
class SystemClock : public Clock {
 public:
  std::uint32_t NowMs() override;
  void SleepMs(int milliseconds) override;
  CalendarDate Today() override;
};

}  // namespace kirivane
