#pragma once

#include "common/basic/clock.h"

namespace kirivane {

// Days from the date to 25 December of the same year; negative after it.
int DaysToChristmas(const CalendarDate& date);
// The seasonal look is on from 1 to 25 December.
bool InSeasonalPeriod(const CalendarDate& date);

}  // namespace kirivane
