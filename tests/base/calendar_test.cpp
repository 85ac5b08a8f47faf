#include "base/calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace zelk {
namespace {

// A calendar record from a full year and a month counted from 1.
CalendarTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  CalendarTime t;
  t.year = year - 1900;
  t.month = month - 1;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

CalendarTime normalised(CalendarTime t) {
  EXPECT_TRUE(normalise(t));
  return t;
}

std::string dateText(const CalendarTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year + 1900, t.month + 1,
                t.day, t.hour, t.minute, t.second);
  return text;
}

struct ClosingCase {
  const char* what;
  CalendarTime date;
  int meterDay;
  const char* closing;
};

TEST(ClosingDate, FollowsTheMeterReadingDay) {
  const ClosingCase cases[] = {
      {"month end, last day", at(2000, 1, 31), 1, "2000-01-31"},
      {"month end, leap February", at(2000, 2, 1), 1, "2000-02-29"},
      {"month end, common February", at(2001, 2, 1), 1, "2001-02-28"},
      {"month end, December", at(2000, 12, 31), 1, "2000-12-31"},
      {"=d5 on the 5th", at(2000, 3, 5), 6, "2000-03-05"},
      {"=d5 on the 6th", at(2000, 3, 6), 6, "2000-04-05"},
      {"=d25 across the year end", at(2000, 12, 26), 26, "2001-01-25"},
      {"=d25 on the 25th of December", at(2000, 12, 25), 26, "2000-12-25"},
      {"=d30 in February folds into March", at(2001, 2, 10), 31, "2001-03-02"},
  };
  for (const auto& c : cases) {
    auto period = closingDateOf(normalised(c.date), c.meterDay);
    ASSERT_TRUE(period) << c.what;
    EXPECT_EQ(dateText(*period).substr(0, 10), c.closing) << c.what;
    EXPECT_EQ(period->hour, 0) << c.what;
  }
}

// The first and last day of the billing month that holds a day.
TEST(BillingMonth, RunsFromTheDayAfterThePreviousClosing) {
  struct Case {
    const char* what;
    LocalDate day;
    int meterDay;
    const char* dates;  // "periodStart closingDate", "" for none
  };
  const Case cases[] = {
      {"month end, leap February", {2000, 2, 15}, 1, "2000-02-01 2000-02-29"},
      {"=d5 on the 5th", {2000, 3, 5}, 6, "2000-02-06 2000-03-05"},
      {"=d5 on the 6th", {2000, 3, 6}, 6, "2000-03-06 2000-04-05"},
      {"=d25 across the year end", {2000, 12, 26}, 26, "2000-12-26 2001-01-25"},
      {"=d30 in February folds into March", {2001, 2, 10}, 31, "2001-01-31 2001-03-02"},
      {"=d30, the folded days of March", {2001, 3, 1}, 31, "2001-01-31 2001-03-02"},
      {"=d31, 31 April is 1 May", {2000, 5, 1}, 32, "2000-04-01 2000-05-01"},
      {"=d31, the day after it", {2000, 5, 2}, 32, "2000-05-02 2000-05-31"},
      {"no month before January 1900", {1900, 1, 10}, 1, ""},
  };
  for (const auto& c : cases) {
    const auto dates = billingMonthOf(c.day, c.meterDay);
    const std::string text =
        dates ? isoDateText(dates->periodStart) + " " + isoDateText(dates->closingDate) : std::string();
    EXPECT_EQ(text, c.dates) << c.what;
  }
}

// For every meter-reading day, the billing months tile the calendar: each
// holds the day it is asked for, and the next begins the day after it closes.
TEST(BillingMonth, MonthsHoldTheirDayAndFollowEachOther) {
  for (int meterDay = 1; meterDay <= 32; ++meterDay) {
    for (CalendarTime day = normalised(at(2000, 1, 1)); day.year < 102; ++day.day, normalise(day)) {
      const auto dates = billingMonthOf(localDateOf(day), meterDay);
      ASSERT_TRUE(dates);
      const CalendarTime start = calendarOf(dates->periodStart), closing = calendarOf(dates->closingDate);
      ASSERT_FALSE(isLaterDate(start, day) || isLaterDate(day, closing))
          << "=d" << meterDay - 1 << " " << dateText(day) << " in " << dateText(start) << " to " << dateText(closing);
      CalendarTime next = closing;
      ++next.day;
      ASSERT_TRUE(normalise(next));
      const auto following = billingMonthOf(localDateOf(next), meterDay);
      ASSERT_TRUE(following);
      EXPECT_EQ(isoDateText(following->periodStart), isoDateText(localDateOf(next))) << "=d" << meterDay - 1;
    }
  }
}

TEST(ClosingDate, FailsBeyondTheConvertibleYears) {
  EXPECT_FALSE(closingDateOf(normalised(at(2100, 12, 31)), 2));  // 1 January 2101
  EXPECT_TRUE(closingDateOf(normalised(at(2100, 12, 31)), 1));
}

struct StartCase {
  const char* what;
  LocalDate today;
  int meterDay;
  int latestMonths;
  const char* start;
  const char* firstClosing;
  const char* newestClosing;
};

TEST(StartDate, KeepsExactlyTheLatestMonths) {
  const StartCase cases[] = {
      {"=d5 after the meter day", {2000, 12, 6}, 6, 12, "2000-01-05", "2000-02-05", "2001-01-05"},
      {"=d5 before the meter day", {2000, 12, 3}, 6, 12, "1999-12-05", "2000-01-05", "2000-12-05"},
      {"month end, ten months", {2000, 12, 6}, 1, 10, "2000-02-29", "2000-03-31", "2000-12-31"},
      {"one month", {2001, 3, 1}, 1, 1, "2001-02-28", "2001-03-31", "2001-03-31"},
  };
  for (const auto& c : cases) {
    auto start = startDate(c.today, c.meterDay, c.latestMonths);
    ASSERT_TRUE(start) << c.what;
    EXPECT_EQ(dateText(*start), std::string(c.start) + " 00:00:00") << c.what;
    auto first = firstBillingPeriod(*start, c.meterDay);
    ASSERT_TRUE(first) << c.what;
    EXPECT_EQ(dateText(*first).substr(0, 10), c.firstClosing) << c.what;
    auto newest = closingDateOf(calendarOf(c.today), c.meterDay);
    ASSERT_TRUE(newest) << c.what;
    EXPECT_EQ(dateText(*newest).substr(0, 10), c.newestClosing) << c.what;
  }
}

TEST(StartDate, FailsBefore1900) {
  EXPECT_FALSE(startDate({1900, 6, 1}, 1, 12));
  EXPECT_TRUE(startDate({1901, 6, 1}, 1, 12));
}

struct NormaliseCase {
  const char* what;
  CalendarTime in;
  const char* out;
  int weekday;
  int yearDay;
};

TEST(Normalise, BorrowsAndFolds) {
  const NormaliseCase cases[] = {
      {"leap year borrow", at(2000, 3, 1, 0, 0, -30), "2000-02-29 23:59:30", 2, 59},
      {"common year borrow", at(2001, 3, 1, 0, 0, -30), "2001-02-28 23:59:30", 3, 58},
      {"day 0 is the last of the month before", at(2000, 1, 0), "1999-12-31 00:00:00", 5, 364},
      {"negative month", at(2000, 0, 15), "1999-12-15 00:00:00", 3, 348},
      {"month 12", at(2000, 13, 1), "2001-01-01 00:00:00", 1, 0},
      {"days past the month end", at(2000, 2, 30), "2000-03-01 00:00:00", 3, 60},
      {"seconds past the minute", at(2000, 12, 31, 23, 59, 60), "2001-01-01 00:00:00", 1, 0},
      {"hours borrow a day", at(2000, 1, 1, -1), "1999-12-31 23:00:00", 5, 364},
      {"a start worked back from a long duration", at(2000, 6, 15, 0, 0, -2000000000),
       "1937-01-28 20:26:40", 4, 27},
      {"the smallest seconds", at(2000, 6, 15, 0, 0, INT_MIN), "1932-05-27 20:45:52", 5, 147},
      {"first day accepted", at(1900, 1, 1), "1900-01-01 00:00:00", 1, 0},
      {"last day accepted", at(2100, 12, 31, 23, 59, 59), "2100-12-31 23:59:59", 5, 364},
  };
  for (const auto& c : cases) {
    CalendarTime t = c.in;
    ASSERT_TRUE(normalise(t)) << c.what;
    EXPECT_EQ(dateText(t), c.out) << c.what;
    EXPECT_EQ(t.weekday, c.weekday) << c.what;
    EXPECT_EQ(t.yearDay, c.yearDay) << c.what;
    EXPECT_EQ(t.daylight, -1) << c.what;
  }
}

TEST(Normalise, FailsOutsideTheAcceptedYears) {
  const CalendarTime cases[] = {
      at(1899, 12, 31),                // year below 0
      at(1900, 0, 1),                  // month borrow leaves 1900
      at(1900, 1, 0),                  // day borrow leaves 1900
      at(1900, 1, 1, 0, 0, -1),        // second borrow leaves 1900
      at(2101, 1, 1),                  // past the conversion's range
      at(2100, 12, 31, 24),            // folds into 2101
      at(2000, 1, INT_MIN),            // a day far before 1900
      at(2000, INT_MAX, 1),            // a month far after 2100
  };
  for (const auto& c : cases) {
    CalendarTime t = c;
    EXPECT_FALSE(normalise(t)) << dateText(c);
  }
}

TEST(Normalise, ConversionFailureKeepsTheBorrowedFields) {
  CalendarTime t = at(2101, 1, 2, 0, 0, -1);
  t.weekday = 4;
  EXPECT_FALSE(normalise(t));
  EXPECT_EQ(dateText(t), "2101-01-01 23:59:59");
  EXPECT_EQ(t.weekday, 4);
}

struct SlotCase {
  const char* what;
  CalendarTime moment;
  TimeSlot slot;
};

TEST(Normalise, AMomentInRangeGetsWhatFoldingItFromOutOfRangeFieldsGives) {
  // The same moment written as the day before at hour 24 + h is folded the
  // long way; both must agree, weekday and day of the year included, and
  // both count as normalised afterwards.
  std::mt19937 random(1900);
  for (int i = 0; i < 20000; ++i) {
    CalendarTime direct;
    direct.year = static_cast<int>(random() % 200) + 1;  // 1901-2100: the day before stays in range
    direct.month = static_cast<int>(random() % 12);
    direct.day = static_cast<int>(random() % 28) + 1 + (i % 2 ? 0 : 3 * (random() % 2));
    direct.hour = static_cast<int>(random() % 24);
    direct.minute = static_cast<int>(random() % 60);
    direct.second = static_cast<int>(random() % 60);
    CalendarTime folded = direct;
    folded.day -= 1;
    folded.hour += 24;
    const bool directOk = normalise(direct);
    ASSERT_EQ(directOk, normalise(folded)) << i;
    if (!directOk) continue;
    EXPECT_TRUE(isNormalised(direct));
    ASSERT_EQ(std::tie(direct.year, direct.month, direct.day, direct.hour, direct.weekday,
                       direct.yearDay),
              std::tie(folded.year, folded.month, folded.day, folded.hour, folded.weekday,
                       folded.yearDay))
        << i;
  }
}

TEST(Normalise, RepeatedAndNeighbouringDaysEachGetTheirOwnWeekday) {
  // Calls come many to a day: dates that repeat or differ in one field from
  // the one before must still get exactly what folding gives.
  std::mt19937 random(2000);
  for (int i = 0; i < 5000; ++i) {
    CalendarTime direct;
    direct.year = 99 + static_cast<int>(random() % 2);
    direct.month = static_cast<int>(random() % 3);
    direct.day = 27 + static_cast<int>(random() % 2);
    direct.hour = static_cast<int>(random() % 24);
    CalendarTime folded = direct;
    folded.day -= 1;
    folded.hour += 24;
    ASSERT_TRUE(normalise(direct));
    ASSERT_TRUE(normalise(folded));
    ASSERT_EQ(std::tie(direct.day, direct.weekday, direct.yearDay),
              std::tie(folded.day, folded.weekday, folded.yearDay))
        << i;
  }
}

TEST(TimeSlot, ByHourWeekdayAndHoliday) {
  const SlotCase cases[] = {
      {"working day 10:00", at(2000, 6, 14, 10), TimeSlot::WeekdayDay},
      {"working day 08:00", at(2000, 6, 14, 8), TimeSlot::WeekdayDay},
      {"working day 18:59", at(2000, 6, 14, 18, 59), TimeSlot::WeekdayDay},
      {"working day 07:59", at(2000, 6, 14, 7, 59), TimeSlot::LateNight},
      {"working day 00:00", at(2000, 6, 14, 0), TimeSlot::LateNight},
      {"working day 19:00", at(2000, 6, 14, 19), TimeSlot::Evening},
      {"working day 21:59", at(2000, 6, 14, 21, 59), TimeSlot::Evening},
      {"working day 22:30", at(2000, 6, 14, 22, 30), TimeSlot::HolidayDay},
      {"working day 23:00", at(2000, 6, 14, 23), TimeSlot::LateNight},
      {"Sunday 19:00", at(2000, 6, 18, 19), TimeSlot::Evening},
      {"Sunday 10:00", at(2000, 6, 18, 10), TimeSlot::HolidayDay},
      {"Saturday 08:00", at(2000, 6, 17, 8), TimeSlot::HolidayDay},
      {"holiday 07:00", at(2000, 5, 3, 7), TimeSlot::LateNight},
      {"holiday 20:00", at(2000, 5, 3, 20), TimeSlot::Evening},
      // The 2000 changes of the holidays.
      {"10 January 2000, Monday", at(2000, 1, 10, 10), TimeSlot::HolidayDay},
      {"11 January 1999, Monday", at(1999, 1, 11, 10), TimeSlot::WeekdayDay},
      {"15 January 1999, Friday", at(1999, 1, 15, 10), TimeSlot::HolidayDay},
      {"15 January 2001, Monday", at(2001, 1, 15, 10), TimeSlot::WeekdayDay},
      {"8 January 2001, Monday", at(2001, 1, 8, 10), TimeSlot::HolidayDay},
      {"17 January 2000, Monday", at(2000, 1, 17, 10), TimeSlot::WeekdayDay},
      {"20 March 2000", at(2000, 3, 20, 10), TimeSlot::HolidayDay},
      {"20 March 2001, Tuesday: vernal equinox", at(2001, 3, 20, 10), TimeSlot::HolidayDay},
      {"21 March 2000, Tuesday", at(2000, 3, 21, 10), TimeSlot::WeekdayDay},
      {"21 March 2001, Wednesday", at(2001, 3, 21, 10), TimeSlot::WeekdayDay},
      {"10 October 1997, Friday", at(1997, 10, 10, 10), TimeSlot::HolidayDay},
      {"10 October 2000, Tuesday", at(2000, 10, 10, 10), TimeSlot::WeekdayDay},
      {"9 October 2000, Monday", at(2000, 10, 9, 10), TimeSlot::HolidayDay},
      {"substitute 8 May 2000 is no holiday", at(2000, 5, 8, 10), TimeSlot::WeekdayDay},
      {"24 December 2001, Monday", at(2001, 12, 24, 10), TimeSlot::HolidayDay},
      {"24 December 2002, Tuesday", at(2002, 12, 24, 10), TimeSlot::WeekdayDay},
  };
  for (const auto& c : cases) EXPECT_EQ(timeSlotOf(normalised(c.moment)), c.slot) << c.what;
}

}  // namespace
}  // namespace zelk
