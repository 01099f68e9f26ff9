#include "player/app/seasonal.h"

#include <chrono>

namespace kirivane {

int DaysToChristmas(const CalendarDate& date) {
  using namespace std::chrono;
  const year_month_day today{year{date.year}, month{static_cast<unsigned>(date.month)},
                             day{static_cast<unsigned>(date.day)}};
  const year_month_day christmas{year{date.year}, December, day{25}};
  return static_cast<int>((sys_days{christmas} - sys_days{today}).count());
}

bool InSeasonalPeriod(const CalendarDate& date) {
  const int days = DaysToChristmas(date);
  return days >= 0 && days <= 24;
}

bool ApplySeasonalLook(AppState& app, const CalendarDate& today) {
  if (!InSeasonalPeriod(today)) return false;
  app.XmasSpecial = -1;
  app.VersionText += "(X'mas Special)";
  return true;
}

}  // namespace kirivane
