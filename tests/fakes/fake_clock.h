#pragma once

#include "common/basic/clock.h"

namespace kirivane::testing {

// A clock that moves only when told to; SleepMs advances it.
class FakeClock : public Clock {
 public:
  std::uint32_t NowMs() override { return now_ms; }
  void SleepMs(int milliseconds) override {
    if (milliseconds > 0) now_ms += static_cast<std::uint32_t>(milliseconds);
    ++sleeps;
  }
  CalendarDate Today() override { return today; }
  void Advance(std::uint32_t milliseconds) { now_ms += milliseconds; }

  std::uint32_t now_ms = 1000;
  int sleeps = 0;
  CalendarDate today{2026, 6, 15};
};

}  // namespace kirivane::testing
