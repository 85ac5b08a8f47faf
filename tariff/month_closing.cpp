#include "tariff/month_closing.h"

#include <cstdio>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "tariff/plan_evaluation.h"

namespace zelk {
namespace {

[[noreturn]] void estimateFailed(int code) { fatalExit(code, "=e error\n"); }

// The closing date of the billing month before the one that closes on
// `closing`, which the estimate needs.
CalendarTime previousClosing(const BillingPeriod& closing, int meterDay) {
  const auto previous = previousClosingDate(closing, meterDay);
  if (!previous) estimateFailed(246);
  return *previous;
}

// Whole days from `from` to the later date `to`, one calendar day at a time.
int daysBetween(const CalendarTime& from, const CalendarTime& to) {
  CalendarTime day = from;
  day.hour = day.minute = day.second = 0;
  int days = 0;
  while (day.year != to.year || day.yearDay != to.yearDay) {
    ++day.day;
    if (!normalise(day)) estimateFailed(245);
    ++days;
  }
  return days;
}

}  // namespace

std::string monthTitle(const BillingPeriod& closing) {
  char text[64];
  std::snprintf(text, sizeof text, "%4d年%2d月%2d日〆分", closing.year + 1900, closing.month + 1,
                closing.day);
  return toCp932(text);
}

float computeEstimateFactor(const BillingPeriod& closing, int meterDay, const LocalDate& now) {
  const CalendarTime today = calendarOf(now);
  if (!isLaterDate(closing, today)) return 0.0f;
  const CalendarTime start = previousClosing(closing, meterDay);
  if (!isLaterDate(today, start)) return 0.0f;
  const int elapsed = daysBetween(start, today);
  const int total = elapsed + daysBetween(today, closing);
  return static_cast<float>(static_cast<double>(total) / elapsed);
}

void closeMonth(const BillingPeriod& closing, const MonthTable& table, const PlanSettings& settings,
                const MaLookup& origin, const TelehodaiNumbers& telehodai, MonthList& list,
                const LocalDate& now) {
  list.estimateFactor = settings.estimate ? computeEstimateFactor(closing, settings.meterDay, now) : 0.0f;

  const bool stored = list.count >= 0 && static_cast<std::size_t>(list.count) < kMaxStoredMonths;
  MonthResult unstored;
  MonthResult& block = stored ? list.months[static_cast<std::size_t>(list.count)] : unstored;
  block.title = monthTitle(closing);
  const BestPlan best = evaluatePlans(table, settings, origin, telehodai, list.estimateFactor,
                                      block, list.estimate);
  if (list.estimateFactor != 0.0f) list.estimate.name = best.projectedName;
  block.name = best.name;
  if (stored) ++list.count;
}

}  // namespace zelk
