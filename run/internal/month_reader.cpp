#include "run/internal/month_reader.h"

#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

void endMonthIfAny(const BillingPeriod& closing, MonthRows& rows, MonthVisitor& visitor) {
  if (rows.empty()) return;
  visitor.monthEnds(closing, rows);
  rows.startNextMonth();
}

[[noreturn]] void failBillingDate() { fatalExit(254, sjis("検針日が設定できません(-_-)\n")); }

}  // namespace

BillingPeriod closingDateOrFail(const CalendarTime& date, int meterDay) {
  auto period = closingDateOf(date, meterDay);
  if (!period) failBillingDate();
  return *period;
}

BillingPeriod firstMonthOrFail(const CalendarTime& start, int meterDay) {
  auto period = firstBillingPeriod(start, meterDay);
  if (!period) failBillingDate();
  return *period;
}

void readMonths(LogMerge& merge, MonthRows& rows, BillingPeriod closing, int meterDay, MonthVisitor& visitor) {
  while (merge.openCount() > 0) {
    const int chosen = merge.earliestSlot();
    CallRecord& call = merge.slot(chosen).call;
    if (isLaterDate(call.start, closing)) {
      endMonthIfAny(closing, rows, visitor);
      closing = closingDateOrFail(call.start, meterDay);
    }
    if (rows.empty() && !visitor.monthBegins(closing)) return;
    visitor.takeCall(call, rows.rowOf(call));
    merge.advance(chosen);
  }
  endMonthIfAny(closing, rows, visitor);
}

}  // namespace zelk
