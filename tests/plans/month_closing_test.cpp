#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "month_fixture.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "tariff/month_closing.h"

namespace zelk::test {
namespace {

CalendarTime dateOf(int year, int month, int day) {
  return calendarOf(LocalDate{year, month, day});
}

// The closing date of the billing month holding the given day.
BillingPeriod closingOf(int year, int month, int day, int meterDay) {
  return closingDateOf(dateOf(year, month, day), meterDay).value();
}

TEST(MonthClosing, Title) {
  EXPECT_EQ(monthTitle(closingOf(2000, 9, 15, 16)), sjis("2000年 9月15日〆分"));
  EXPECT_EQ(monthTitle(closingOf(2001, 12, 31, 1)), sjis("2001年12月31日〆分"));
  EXPECT_EQ(monthTitle(closingOf(2001, 2, 3, 6)), sjis("2001年 2月 5日〆分"));
}

struct FactorCase {
  const char* what;
  LocalDate inMonth;  // a day of the billing month
  int meterDay;
  LocalDate today;
  int total, elapsed;  // 0, 0: no projection
};

TEST(MonthClosing, EstimateFactor) {
  const std::vector<FactorCase> cases{
      {"=d15, today 5 October: from 15 September, 20 of 30 days", {2000, 10, 1}, 16,
       {2000, 10, 5}, 30, 20},
      {"the day after the previous closing", {2000, 10, 1}, 16, {2000, 9, 16}, 30, 1},
      {"today is the closing date", {2000, 10, 1}, 16, {2000, 10, 15}, 0, 0},
      {"a past month", {2000, 10, 1}, 16, {2000, 11, 1}, 0, 0},
      {"today is the previous closing date", {2000, 10, 1}, 16, {2000, 9, 15}, 0, 0},
      // Month end: the previous closing of 31 March 2000 is 29 February, not
      // "31 February".
      {"month end after February", {2000, 3, 1}, 1, {2000, 3, 10}, 31, 10},
      {"month end, the first of a 31-day month after a 30-day one", {2000, 5, 1}, 1,
       {2000, 5, 1}, 31, 1},
      // =d30 in February 2001 closes on "30 February" = 2 March; the month
      // before closed on 30 January.
      {"=d30 closing pushed into March", {2001, 2, 10}, 31, {2001, 2, 10}, 31, 11},
      {"the previous closing in the year before", {2001, 1, 5}, 16, {2001, 1, 5}, 31, 21},
      // The last month the calendar holds: nothing beyond its closing date is
      // needed to find the month's start.
      {"the last month of 2100", {2100, 12, 1}, 16, {2100, 12, 1}, 30, 16},
      {"the last month of 2100, month end", {2100, 12, 1}, 1, {2100, 12, 1}, 31, 1},
  };
  for (const auto& c : cases) {
    const BillingPeriod closing = closingOf(c.inMonth.year, c.inMonth.month, c.inMonth.day,
                                            c.meterDay);
    const float expected =
        c.elapsed == 0 ? 0.0f : static_cast<float>(static_cast<double>(c.total) / c.elapsed);
    EXPECT_EQ(computeEstimateFactor(closing, c.meterDay, c.today), expected) << c.what;
  }
  EXPECT_EQ(computeEstimateFactor(closingOf(2000, 10, 1, 16), 16, {2000, 10, 5}), 1.5f);
}

TEST(MonthClosing, EstimateStartBefore1900EndsTheRun) {
  // The month closing 15 January 1900 would start on 15 December 1899.
  const BillingPeriod closing = closingOf(1900, 1, 10, 16);
  try {
    computeEstimateFactor(closing, 16, {1899, 12, 20});
    FAIL() << "no fatal error";
  } catch (const FatalError& e) {
    EXPECT_EQ(e.code(), 246);
    EXPECT_EQ(e.message(), "=e error\n");
  }
}

MonthFixture oneNumberMonth() {
  MonthFixture m;
  m.add({.band = kInArea, .number = "1", .feeTotal = 10, .localFeeRest = 10,
         .localPlanUnitsRest = 10, .feeRest = 10});
  return m;
}

TEST(MonthClosing, StoresTheMonthInTheNextBlock) {
  MonthFixture m = oneNumberMonth();
  m.settings.meterDay = 16;
  MonthList list;
  closeMonth(closingOf(2000, 9, 1, 16), m.table, m.settings, m.origin, m.telehodai, list,
             {2000, 12, 1});
  closeMonth(closingOf(2000, 10, 1, 16), m.table, m.settings, m.origin, m.telehodai, list,
             {2000, 12, 1});
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.months[0].title, sjis("2000年 9月15日〆分"));
  EXPECT_EQ(list.months[1].title, sjis("2000年10月15日〆分"));
  // 10 in-area units: 9·10 yen, the cheapest.
  EXPECT_EQ(list.months[1].amounts[ResultSlot::NormalFee], 90u);
  EXPECT_EQ(list.months[1].name, sjis("通常料金"));
  EXPECT_EQ(list.months[1].callList, " 1,1,0,10");
  EXPECT_EQ(list.months[2].title, "");
}

TEST(MonthClosing, TheCurrentMonthIsProjected) {
  MonthFixture m = oneNumberMonth();
  m.settings.meterDay = 16;
  m.settings.estimate = 1;
  MonthList list;
  closeMonth(closingOf(2000, 10, 1, 16), m.table, m.settings, m.origin, m.telehodai, list,
             {2000, 10, 5});
  EXPECT_EQ(list.estimateFactor, 1.5f);
  EXPECT_EQ(list.estimate.amounts[ResultSlot::NormalFee], 135u);  // trunc(90 · 1.5)
  EXPECT_EQ(list.estimate.name, sjis("通常料金"));
  EXPECT_EQ(list.estimate.callList, " 1,1,0,15");
  EXPECT_EQ(list.estimate.title, "");
}

TEST(MonthClosing, WithoutEstimateTheFactorIsZero) {
  MonthFixture m = oneNumberMonth();
  m.settings.meterDay = 16;
  MonthList list;
  list.estimateFactor = 3.0f;
  closeMonth(closingOf(2000, 10, 1, 16), m.table, m.settings, m.origin, m.telehodai, list,
             {2000, 10, 5});
  EXPECT_EQ(list.estimateFactor, 0.0f);
  EXPECT_EQ(list.estimate.amounts, MonthResult{}.amounts);
  EXPECT_EQ(list.estimate.name, "");
}

TEST(MonthClosing, AMonthAfterTheTwelfthIsEvaluatedButNotStored) {
  MonthFixture m = oneNumberMonth();
  m.settings.estimate = 1;
  MonthList list;
  for (int month = 1; month <= 12; ++month)
    closeMonth(closingOf(2000, month, 1, 1), m.table, m.settings, m.origin, m.telehodai, list,
               {2001, 1, 10});
  ASSERT_EQ(list.count, 12);
  const MonthList before = list;
  // The thirteenth month is today's: 10 of 31 days have passed.
  closeMonth(closingOf(2001, 1, 1, 1), m.table, m.settings, m.origin, m.telehodai, list,
             {2001, 1, 10});
  EXPECT_EQ(list.count, 12);
  EXPECT_EQ(list.months[11].title, sjis("2000年12月31日〆分"));
  for (std::size_t i = 0; i < kMaxStoredMonths; ++i) {
    EXPECT_EQ(list.months[i].title, before.months[i].title);
    EXPECT_EQ(list.months[i].amounts, before.months[i].amounts);
  }
  // It was evaluated all the same: 90 yen · 3.1 (3.0999999 as a float, the
  // single-precision product rounds to 279).
  EXPECT_EQ(list.estimateFactor, static_cast<float>(31.0 / 10.0));
  EXPECT_EQ(list.estimate.amounts[ResultSlot::NormalFee], 279u);
  EXPECT_EQ(list.estimate.name, sjis("通常料金"));
}

TEST(MonthClosing, CallListOrdersByLateNightUnitsKeepingTableOrderOnTies) {
  std::vector<NumberTotals> rows(10);
  const std::uint32_t late[] = {3, 9, 3, 0, 9, 1, 1, 1, 1, 1};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].number = std::to_string(100 + i);
    rows[i].feeLate = late[i];
    rows[i].feeRest = static_cast<std::uint32_t>(i);
  }
  rows[2].outOfPrefecture = 1;
  rows[2].comUnitsRest = 77;
  EXPECT_EQ(callListText(rows),
            "10,101,9,1,104,9,4,100,3,0,102,3,77,105,1,5,106,1,6,107,1,7,108,1,8,109,1,9,103,0,3");
  // The estimate's list projects NTT East/West units for every row.
  EXPECT_EQ(projectedCallListText(std::span(rows).first(3), 2.0f), " 3,101,18,2,100,6,0,102,6,4");
}

}  // namespace
}  // namespace zelk::test
