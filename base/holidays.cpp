#include "base/holidays.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>

namespace zelk {
namespace {

constexpr int kStillInForce = 9999;

// How a holiday's day is found in its month.
enum class DayRule : std::uint8_t {
  Fixed,            // the given day
  NthMonday,        // the given Monday of the month (2 = the second)
  VernalEquinox,    // the day of the March equinox
  AutumnalEquinox,  // the day of the September equinox
};

// One holiday of the law as it stood over a run of years. A holiday that
// moved has one line for each era.
struct HolidayEra {
  int firstYear;
  int lastYear;
  int month;
  DayRule rule;
  int day;
};

// The law came into force on 20 July 1948: of its holidays that year only
// the autumn ones fell after that day.
constexpr auto kHolidayEras = std::to_array<HolidayEra>({
    {1949, kStillInForce, 1, DayRule::Fixed, 1},       // New Year's Day
    {1949, 1999, 1, DayRule::Fixed, 15},               // Coming of Age Day
    {2000, kStillInForce, 1, DayRule::NthMonday, 2},
    {1967, kStillInForce, 2, DayRule::Fixed, 11},      // National Foundation Day
    {2020, kStillInForce, 2, DayRule::Fixed, 23},      // the Emperor's Birthday
    {1949, kStillInForce, 3, DayRule::VernalEquinox, 0},
    {1949, kStillInForce, 4, DayRule::Fixed, 29},      // the Showa Emperor's Birthday,
                                                       // Greenery Day from 1989,
                                                       // Showa Day from 2007
    {1949, kStillInForce, 5, DayRule::Fixed, 3},       // Constitution Memorial Day
    {2007, kStillInForce, 5, DayRule::Fixed, 4},       // Greenery Day
    {1949, kStillInForce, 5, DayRule::Fixed, 5},       // Children's Day
    {1996, 2002, 7, DayRule::Fixed, 20},               // Marine Day
    {2003, 2019, 7, DayRule::NthMonday, 3},
    {2022, kStillInForce, 7, DayRule::NthMonday, 3},
    {2016, 2019, 8, DayRule::Fixed, 11},               // Mountain Day
    {2022, kStillInForce, 8, DayRule::Fixed, 11},
    {1966, 2002, 9, DayRule::Fixed, 15},               // Respect for the Aged Day
    {2003, kStillInForce, 9, DayRule::NthMonday, 3},
    {1948, kStillInForce, 9, DayRule::AutumnalEquinox, 0},
    {1966, 1999, 10, DayRule::Fixed, 10},              // Health and Sports Day,
    {2000, 2019, 10, DayRule::NthMonday, 2},           // Sports Day from 2020
    {2022, kStillInForce, 10, DayRule::NthMonday, 2},
    {1948, kStillInForce, 11, DayRule::Fixed, 3},      // Culture Day
    {1948, kStillInForce, 11, DayRule::Fixed, 23},     // Labour Thanksgiving Day
    {1989, 2018, 12, DayRule::Fixed, 23},              // the Heisei Emperor's Birthday
});

struct Date {
  int year;
  int month;
  int day;
};

// Holidays of one year only, made by their own laws, and the holidays moved
// for the Tokyo Olympic Games; they count as holidays of the law for the
// substitute and citizens' holidays.
constexpr auto kOneOffHolidays = std::to_array<Date>({
    {1959, 4, 10},   // the Crown Prince's wedding
    {1989, 2, 24},   // the Showa Emperor's state funeral
    {1990, 11, 12},  // the enthronement ceremony
    {1993, 6, 9},    // the Crown Prince's wedding
    {2019, 5, 1},    // the Emperor's accession
    {2019, 10, 22},  // the enthronement ceremony
    {2020, 7, 23},   // Marine Day, Sports Day and Mountain Day moved for the Games
    {2020, 7, 24},
    {2020, 8, 10},
    {2021, 7, 22},   // the same, the Games put off by a year
    {2021, 7, 23},
    {2021, 8, 8},
});

// The equinox days are fixed each February for the next year from the
// astronomical equinox; these approximations give every day fixed so far.
// The day is int(base + 0.242194 (year - 1980) - int((year - leapYear) / 4)),
// worked in millionths of a day so that no rounding can move it.
struct EquinoxEra {
  int firstYear;
  std::int64_t marchBase;
  std::int64_t septemberBase;
  int leapYear;
};

constexpr auto kEquinoxEras = std::to_array<EquinoxEra>({
    {1900, 20'835'700, 23'258'800, 1983},
    {1980, 20'843'100, 23'248'800, 1980},
    {2100, 21'851'000, 24'248'800, 1980},
});

// A holiday of the law on a Sunday gives a substitute holiday: from 12 April
// 1973 the day after, from 2007 the first day after it that is no holiday
// of the law (so a Sunday in Golden Week moves past the 5th).
enum class SubstituteRule : std::uint8_t { None, NextDay, NextNonHoliday };

struct SubstituteEra {
  Date firstDay;
  SubstituteRule rule;
};

constexpr auto kSubstituteEras = std::to_array<SubstituteEra>({
    {{1900, 1, 1}, SubstituteRule::None},
    {{1973, 4, 12}, SubstituteRule::NextDay},
    {{2007, 1, 1}, SubstituteRule::NextNonHoliday},
});

// A day between two holidays of the law is a citizens' holiday, from the
// amendment of 27 December 1985; until 2006 not when it was a Sunday.
struct CitizensEra {
  int firstYear;
  bool enabled;
  bool sundayExcluded;
};

constexpr auto kCitizensEras = std::to_array<CitizensEra>({
    {1900, false, false},
    {1986, true, true},
    {2007, true, false},
});

// The years every calendar record can hold, worked out once.
constexpr int kFirstTableYear = 1900;
constexpr int kLastTableYear = 2100;
// The first year the law had holidays in.
constexpr int kFirstLawYear = 1948;

// The days of one year, by day of the year (0 is 1 January).
using YearDays = std::bitset<366>;

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int monthLength(int year, int month) {
  static constexpr std::array<int, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeap(year) ? 29 : kLengths[static_cast<std::size_t>(month - 1)];
}

int dayOfYear(int year, int month, int day) {
  static constexpr std::array<int, 12> kDaysBefore{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  return kDaysBefore[static_cast<std::size_t>(month - 1)] + (month > 2 && isLeap(year) ? 1 : 0) + day - 1;
}

// 0 is Sunday; for years from 1 on.
int weekdayOf(int year, int month, int day) {
  static constexpr std::array<int, 12> kMonthOffsets{0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kMonthOffsets[static_cast<std::size_t>(month - 1)] +
          day) % 7;
}

bool isBefore(const Date& date, const Date& other) {
  if (date.year != other.year) return date.year < other.year;
  if (date.month != other.month) return date.month < other.month;
  return date.day < other.day;
}

// The last era of a table, in order of their starts, that has begun by then.
template <typename Era, std::size_t Count, typename HasBegun>
const Era& eraOf(const std::array<Era, Count>& eras, HasBegun hasBegun) {
  auto era = eras.begin();
  for (auto next = eras.begin(); next != eras.end() && hasBegun(*next); ++next) era = next;
  return *era;
}

int equinoxDay(int year, int month) {
  const EquinoxEra& era =
      eraOf(kEquinoxEras, [&](const EquinoxEra& begun) { return begun.firstYear <= year; });
  const std::int64_t base = month == 3 ? era.marchBase : era.septemberBase;
  return static_cast<int>((base + 242'194 * (year - 1980) - 1'000'000 * ((year - era.leapYear) / 4)) /
                          1'000'000);
}

int dayOf(const HolidayEra& holiday, int year) {
  switch (holiday.rule) {
    case DayRule::Fixed: return holiday.day;
    case DayRule::NthMonday: {
      const int firstMonday = 1 + (8 - weekdayOf(year, holiday.month, 1)) % 7;
      return firstMonday + 7 * (holiday.day - 1);
    }
    case DayRule::VernalEquinox:
    case DayRule::AutumnalEquinox: return equinoxDay(year, holiday.month);
  }
  return holiday.day;
}

// The holidays the law and the one-off laws name for the year.
YearDays lawHolidaysOf(int year) {
  YearDays days;
  for (const HolidayEra& holiday : kHolidayEras) {
    if (year >= holiday.firstYear && year <= holiday.lastYear)
      days.set(static_cast<std::size_t>(dayOfYear(year, holiday.month, dayOf(holiday, year))));
  }
  for (const Date& date : kOneOffHolidays) {
    if (date.year == year) days.set(static_cast<std::size_t>(dayOfYear(year, date.month, date.day)));
  }
  return days;
}

// One year's days with the weekday of each, for the rules that look at
// neighbouring days.
struct YearShape {
  int year;
  int length;
  int firstWeekday;

  explicit YearShape(int fullYear)
      : year(fullYear), length(isLeap(fullYear) ? 366 : 365), firstWeekday(weekdayOf(fullYear, 1, 1)) {}
  bool isSunday(int yearDay) const { return (firstWeekday + yearDay) % 7 == 0; }
};

bool has(const YearDays& days, const YearShape& shape, int yearDay) {
  return yearDay >= 0 && yearDay < shape.length && days[static_cast<std::size_t>(yearDay)];
}

void addSubstitutes(const YearShape& shape, const YearDays& law, YearDays& holidays) {
  for (int month = 1, yearDay = 0; month <= 12; ++month) {
    for (int day = 1; day <= monthLength(shape.year, month); ++day, ++yearDay) {
      if (!has(law, shape, yearDay) || !shape.isSunday(yearDay)) continue;
      const Date date{shape.year, month, day};
      const SubstituteRule rule =
          eraOf(kSubstituteEras, [&](const SubstituteEra& era) { return !isBefore(date, era.firstDay); })
              .rule;
      if (rule == SubstituteRule::None) continue;
      int substitute = yearDay + 1;
      if (rule == SubstituteRule::NextNonHoliday) {
        while (has(law, shape, substitute)) ++substitute;
      }
      if (substitute < shape.length) holidays.set(static_cast<std::size_t>(substitute));
    }
  }
}

void addCitizensHolidays(const YearShape& shape, const YearDays& law, YearDays& holidays) {
  const CitizensEra& citizens =
      eraOf(kCitizensEras, [&](const CitizensEra& era) { return era.firstYear <= shape.year; });
  if (!citizens.enabled) return;
  for (int yearDay = 1; yearDay + 1 < shape.length; ++yearDay) {
    if (has(law, shape, yearDay - 1) && has(law, shape, yearDay + 1) && !has(law, shape, yearDay) &&
        !(citizens.sundayExcluded && shape.isSunday(yearDay)))
      holidays.set(static_cast<std::size_t>(yearDay));
  }
}

YearDays nationalHolidaysOf(int year) {
  if (year < kFirstLawYear) return {};
  const YearShape shape(year);
  const YearDays law = lawHolidaysOf(year);
  YearDays holidays = law;
  addSubstitutes(shape, law, holidays);
  addCitizensHolidays(shape, law, holidays);
  return holidays;
}

const YearDays& tableYear(int year) {
  static const auto table = [] {
    std::array<YearDays, kLastTableYear - kFirstTableYear + 1> years;
    for (int each = kFirstTableYear; each <= kLastTableYear; ++each)
      years[static_cast<std::size_t>(each - kFirstTableYear)] = nationalHolidaysOf(each);
    return years;
  }();
  return table[static_cast<std::size_t>(year - kFirstTableYear)];
}

}  // namespace

bool isNationalHoliday(int year, int month, int day) {
  if (year < kFirstTableYear || year > kLastTableYear || month < 1 || month > 12 || day < 1 ||
      day > monthLength(year, month))
    return false;
  return tableYear(year)[static_cast<std::size_t>(dayOfYear(year, month, day))];
}

bool isChargeHoliday(int year, int month, int day) {
  const bool newYearDay = month == 1 && day >= 1 && day <= 3;
  return newYearDay || isNationalHoliday(year, month, day);
}

}  // namespace zelk
