// What a run leaves for the replay of one of its months: the configuration
// it read, its start date, the closing date of each stored month and where
// each stored month began.
#pragma once

#include <array>
#include <optional>

#include "base/calendar.h"
#include "config/configuration.h"
#include "run/internal/month_bookmark.h"
#include "tariff/month_result.h"

namespace zelk {

struct RunTrail {
  // As read, whatever the run wrote back to zelk.cfg afterwards: a log given
  // on the command line is in the rewritten file, and would be read twice by
  // a replay that read the file again with the same options.
  Configuration configuration;
  // A replay counts its months from the run's start date, not from today,
  // and lists a month only when its closing date is the stored one.
  std::optional<CalendarTime> start;
  std::array<std::optional<BillingPeriod>, kMaxStoredMonths> monthPeriods;
  RunBookmarks bookmarks;
};

}  // namespace zelk
