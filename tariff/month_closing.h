// Closing a billing month: its title, the plan comparison into the next free
// block of the month list, and the projection of the current, unfinished
// month to its end.
#pragma once

#include <string>

#include "base/calendar.h"
#include "base/ma_lookup.h"
#include "base/month_table.h"
#include "base/telehodai_numbers.h"
#include "platform/clock.h"
#include "tariff/month_result.h"
#include "tariff/plan_settings.h"

namespace zelk {

// "2000年 9月15日〆分" (CP932) for the closing date 2000-09-15.
std::string monthTitle(const BillingPeriod& closing);

// The factor by which the month closing on `closing` is projected to its end
// when `now` lies inside it: whole days of the billing month / days elapsed
// since the previous closing date. 0 when the month is not the current one.
// Ends the run with "=e error\n" (246, 245) when a date cannot be formed.
float computeEstimateFactor(const BillingPeriod& closing, int meterDay, const LocalDate& now);

// Closes the month held in `table`: sets list.estimateFactor (when
// `estimate` is on), evaluates every plan into block [list.count] and, when
// projecting, into list.estimate, and counts the block. A month beyond the
// twelfth block (only calls dated after today's billing month make one) is
// evaluated the same way but not stored.
void closeMonth(const BillingPeriod& closing, const MonthTable& table, const PlanSettings& settings,
                const MaLookup& origin, const TelehodaiNumbers& telehodai, MonthList& list,
                const LocalDate& now = today());

}  // namespace zelk
