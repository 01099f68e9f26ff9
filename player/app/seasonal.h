#pragma once

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

}  // namespace kirivane
