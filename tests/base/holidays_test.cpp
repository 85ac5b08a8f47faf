// Holidays against an independent list of Japan's national holidays, every
// day from 1990 to 2030, and the years before and after that list through
// worked examples of each era of the law.
//
// data/holidays/japan_1990_2030.txt, one date a line, was made once:
//   1990-2020: Debian's python3-holidays 0.10.1, holidays.Japan(years=...),
//     plus 1990-11-12 and 1993-06-09, the two one-off holidays that version
//     lacks;
//   2021-2030: the published list as the npm package @holiday-jp/holiday_jp
//     2.5.1 carries it (lib/holidays.js), with the 2021 moves for the Games.
// Both sources agree on every other date of 1990-2020.
#include "base/holidays.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/calendar.h"

namespace zelk {
namespace {

std::set<std::string> referenceHolidays() {
  std::ifstream in(std::string(ZELK_TEST_DATA) + "/holidays/japan_1990_2030.txt");
  std::set<std::string> dates;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) dates.insert(line);
  }
  return dates;
}

CalendarTime at(int year, int month, int day, int hour) {
  CalendarTime t;
  t.year = year - 1900;
  t.month = month - 1;
  t.day = day;
  t.hour = hour;
  EXPECT_TRUE(normalise(t));
  return t;
}

std::string dateText(const CalendarTime& t) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year + 1900, t.month + 1, t.day);
  return text;
}

TEST(Holidays, EveryDayFrom1990To2030AsTheReferenceList) {
  const std::set<std::string> reference = referenceHolidays();
  ASSERT_GT(reference.size(), 600u) << "the reference list cannot be read";
  std::vector<std::string> wrong;
  int days = 0;
  for (CalendarTime day = at(1990, 1, 1, 10); day.year + 1900 <= 2030;
       day = at(day.year + 1900, day.month + 1, day.day + 1, 10)) {
    ++days;
    const std::string date = dateText(day);
    const bool national = reference.contains(date);
    const bool newYear = day.month == 0 && day.day <= 3;
    const bool weekend = day.weekday == 0 || day.weekday == 6;
    const TimeSlot slot = national || newYear || weekend ? TimeSlot::HolidayDay : TimeSlot::WeekdayDay;
    if (isNationalHoliday(day.year + 1900, day.month + 1, day.day) != national)
      wrong.push_back(date + " national");
    if (timeSlotOf(day) != slot) wrong.push_back(date + " 10:00");
  }
  EXPECT_EQ(days, 14975);
  std::string first;
  for (std::size_t i = 0; i < wrong.size() && i < 10; ++i) first += " " + wrong[i];
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong:" << first;
}

struct HolidayCase {
  const char* what;
  int year, month, day;
  TimeSlot slot;  // at 10:00
};

TEST(Holidays, WorkedExamplesOfEachEra) {
  const HolidayCase cases[] = {
      {"vernal equinox 20 March 2001, Tuesday", 2001, 3, 20, TimeSlot::HolidayDay},
      {"21 March 2001, Wednesday", 2001, 3, 21, TimeSlot::WeekdayDay},
      {"13 October 1997, Monday: Health and Sports Day was the 10th", 1997, 10, 13, TimeSlot::WeekdayDay},
      {"11 October 1999, Monday: substitute for the 10th", 1999, 10, 11, TimeSlot::HolidayDay},
      {"2 January 2001, Tuesday: New Year for the charges", 2001, 1, 2, TimeSlot::HolidayDay},
      {"2 January 1940, Tuesday: New Year before any holiday law", 1940, 1, 2, TimeSlot::HolidayDay},
      {"3 May 1948, Monday: before the law", 1948, 5, 3, TimeSlot::WeekdayDay},
      {"23 September 1948, Thursday: the law's first holiday", 1948, 9, 23, TimeSlot::HolidayDay},
      {"10 April 1959, Friday: one-off holiday", 1959, 4, 10, TimeSlot::HolidayDay},
      {"11 February 1966, Friday: Foundation Day from 1967", 1966, 2, 11, TimeSlot::WeekdayDay},
      {"12 February 1973, Monday: substitutes from 12 April 1973", 1973, 2, 12, TimeSlot::WeekdayDay},
      {"30 April 1973, Monday: the first substitute", 1973, 4, 30, TimeSlot::HolidayDay},
      {"4 May 1984, Friday: citizens' holiday from 1986", 1984, 5, 4, TimeSlot::WeekdayDay},
      {"4 May 1988, Wednesday: citizens' holiday", 1988, 5, 4, TimeSlot::HolidayDay},
      {"21 September 2032, Tuesday: citizens' holiday", 2032, 9, 21, TimeSlot::HolidayDay},
      {"19 March 2092, Wednesday: vernal equinox", 2092, 3, 19, TimeSlot::HolidayDay},
      {"20 March 2092, Thursday", 2092, 3, 20, TimeSlot::WeekdayDay},
      {"23 September 2100, Thursday: autumnal equinox", 2100, 9, 23, TimeSlot::HolidayDay},
      {"22 September 2100, Wednesday", 2100, 9, 22, TimeSlot::WeekdayDay},
  };
  for (const auto& c : cases) EXPECT_EQ(timeSlotOf(at(c.year, c.month, c.day, 10)), c.slot) << c.what;
}

TEST(Holidays, DatesThatDoNotExistAreNone) {
  EXPECT_FALSE(isNationalHoliday(2001, 2, 29));
  EXPECT_FALSE(isNationalHoliday(2001, 13, 1));
  EXPECT_FALSE(isNationalHoliday(2001, 0, 1));
  EXPECT_FALSE(isNationalHoliday(2101, 1, 1));
  EXPECT_FALSE(isNationalHoliday(-5, 1, 1));
  EXPECT_TRUE(isChargeHoliday(2001, 1, 3));
  EXPECT_FALSE(isChargeHoliday(2001, 1, 0));
}

}  // namespace
}  // namespace zelk
