#pragma once

#include <optional>
#include <string>

#include "common/basic/clock.h"
#include "player/state/app_state.h"

namespace kirivane {

// Days from the date to 25 December of the same year; negative after it.
int DaysToChristmas(const CalendarDate& date);
// The seasonal look is on from 1 to 25 December.
bool InSeasonalPeriod(const CalendarDate& date);
// In the seasonal period: the seasonal look on (XmasSpecial) and its mark after the version.
// True when it was switched on.
bool ApplySeasonalLook(AppState& app, const CalendarDate& today);

// The performance played at start on 24 December (one octave down) and on 25 December: the
// name of its file, written into the program folder from the program's resources.
struct SeasonalPerformance {
  std::string file_name;
  bool octave_down = false;
};
std::optional<SeasonalPerformance> SeasonalPerformanceOf(const CalendarDate& today);

}  // namespace kirivane
