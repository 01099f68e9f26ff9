#pragma once

#include <cstdint>

namespace kirivane {

struct CalendarDate {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
};

// The millisecond clock of recording and playback, and today's date. The real one wraps
// std::chrono::steady_clock; tests drive a fake one by hand.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
  virtual std::uint32_t NowMs() = 0;
  virtual void SleepMs(int milliseconds) = 0;
  virtual CalendarDate Today() = 0;
};

}  // namespace kirivane
