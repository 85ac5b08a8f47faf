// The calls kept, merged by date and cut into billing months at the closing
// date: what becomes of each month is the business of a MonthVisitor (the
// run closes and stores them, the replay hands out one month's calls).
#pragma once

#include "base/calendar.h"
#include "base/log_source.h"
#include "base/month_table.h"
#include "run/internal/log_merge.h"
#include "run/internal/month_rows.h"

namespace zelk {

class MonthVisitor {
 public:
  virtual ~MonthVisitor() = default;
  // The first call of the month that closes on `closing` is about to be
  // taken. False ends the reading there.
  virtual bool monthBegins(const BillingPeriod& closing) = 0;
  // A call of the month and its row, found or made in `rows`.
  virtual void takeCall(CallRecord& call, NumberTotals& row) = 0;
  // The month that closes on `closing` is over; `rows` hold it.
  virtual void monthEnds(const BillingPeriod& closing, const MonthRows& rows) = 0;
};

// Takes every call of `merge`, in date order, starting in the month that
// closes on `closing`; a call past a month's closing date ends it.
void readMonths(LogMerge& merge, MonthRows& rows, BillingPeriod closing, int meterDay, MonthVisitor& visitor);

// The billing month of `date` for the meter-reading day; 254 when there is none.
BillingPeriod closingDateOrFail(const CalendarTime& date, int meterDay);
// The run's first billing month, from its start date; 254 when there is none.
BillingPeriod firstMonthOrFail(const CalendarTime& start, int meterDay);

}  // namespace zelk
