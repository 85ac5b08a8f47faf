#include "base/calendar.h"

#include <array>
#include <cstdint>
#include <limits>

#include "base/holidays.h"

namespace zelk {
namespace {

// The conversion accepts results from 1900-01-01 to 2100-12-31, as the
// platform conversion this system was written against did; outside that it
// fails and leaves the record untouched.
constexpr int kFirstYear = 0;    // 1900
constexpr int kLastYear = 200;   // 2100

bool isLeap(long fullYear) {
  return (fullYear % 4 == 0 && fullYear % 100 != 0) || fullYear % 400 == 0;
}

int monthLength(int month, int yearSince1900) {
  static constexpr std::array<int, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 1 && isLeap(yearSince1900 + 1900L) ? 29 : kLengths[month];
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y += m <= 2;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool fitsInt(std::int64_t value) {
  return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

constexpr int kDaysPer400Years = 146097;

// Folds every field into range and fills weekday and day of the year, as the
// platform's local-time conversion does; false when the result lies outside
// the accepted years.
bool convertLocalTime(CalendarTime& t) {
  std::int64_t seconds = static_cast<std::int64_t>(t.hour) * 3600 +
                         static_cast<std::int64_t>(t.minute) * 60 + t.second;
  std::int64_t dayCarry = floorDiv(seconds, 86400);
  std::int64_t secondOfDay = seconds - dayCarry * 86400;
  std::int64_t months = static_cast<std::int64_t>(t.year) * 12 + t.month;
  std::int64_t year = floorDiv(months, 12);
  std::int64_t month = months - year * 12;
  if (year + 1900 < -1000000 || year + 1900 > 1000000) return false;
  std::int64_t days = daysFromCivil(year + 1900, static_cast<unsigned>(month + 1), 1) +
                      static_cast<std::int64_t>(t.day) - 1 + dayCarry;
  std::int64_t fullYear;
  unsigned m, d;
  civilFromDays(days, fullYear, m, d);
  if (fullYear - 1900 < kFirstYear || fullYear - 1900 > kLastYear) return false;
  t.year = static_cast<int>(fullYear - 1900);
  t.month = static_cast<int>(m) - 1;
  t.day = static_cast<int>(d);
  t.hour = static_cast<int>(secondOfDay / 3600);
  t.minute = static_cast<int>(secondOfDay / 60 % 60);
  t.second = static_cast<int>(secondOfDay % 60);
  t.weekday = static_cast<int>(((days % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  t.yearDay = static_cast<int>(days - daysFromCivil(fullYear, 1, 1));
  return true;
}

bool isHoliday(const CalendarTime& t) {
  // Asked for every unit of a day's calls: the last day's answer is kept.
  struct Day {
    int year = -1, month = -1, day = -1;
    bool holiday = false;
  };
  thread_local Day last;
  if (t.day == last.day && t.month == last.month && t.year == last.year) return last.holiday;
  const bool holiday = isChargeHoliday(t.year + 1900, t.month + 1, t.day);
  last = {t.year, t.month, t.day, holiday};
  return holiday;
}

// True when every field already lies in its range, as most logged moments do.
bool fieldsInRange(const CalendarTime& t) {
  return t.year >= kFirstYear && t.year <= kLastYear && t.month >= 0 && t.month <= 11 &&
         t.day >= 1 && t.day <= monthLength(t.month, t.year) && t.hour >= 0 && t.hour <= 23 &&
         t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

// Fills weekday and day of the year of a record whose fields are in range.
void fillWeekdayAndYearDay(CalendarTime& t) {
  // Calls come in date order, many to a day: the last day's answer is kept.
  struct Day {
    int year = -1, month = -1, day = -1, weekday = 0, yearDay = 0;
  };
  thread_local Day last;
  if (t.day == last.day && t.month == last.month && t.year == last.year) {
    t.weekday = last.weekday;
    t.yearDay = last.yearDay;
    return;
  }
  const std::int64_t days = daysFromCivil(t.year + 1900, static_cast<unsigned>(t.month + 1),
                                          static_cast<unsigned>(t.day));
  t.weekday = static_cast<int>((days % 7 + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  static constexpr std::array<int, 12> kDaysBefore{0, 31, 59, 90, 120, 151,
                                                   181, 212, 243, 273, 304, 334};
  const bool leapDayBefore = t.month > 1 && isLeap(t.year + 1900L);
  t.yearDay = kDaysBefore[t.month] + (leapDayBefore ? 1 : 0) + t.day - 1;
  last = {t.year, t.month, t.day, t.weekday, t.yearDay};
}

}  // namespace

bool normalise(CalendarTime& t) {
  // Nothing to fold: only weekday and day of the year are filled.
  if (fieldsInRange(t)) {
    fillWeekdayAndYearDay(t);
    return true;
  }
  if (t.year < 0) return false;

  // Negative seconds, minutes and hours borrow from the next larger field one
  // unit at a time; the borrow is computed at once so that a call whose start
  // was worked back from a long duration costs no loop of millions of steps.
  std::int64_t minute = t.minute;
  std::int64_t hour = t.hour;
  std::int64_t day = t.day;
  int second = t.second;
  if (second < 0) {
    const std::int64_t borrow = -floorDiv(second, 60);
    second = static_cast<int>(second + borrow * 60);
    minute -= borrow;
  }
  if (minute < 0) {
    const std::int64_t borrow = -floorDiv(minute, 60);
    minute += borrow * 60;
    hour -= borrow;
  }
  if (hour < 0) {
    const std::int64_t borrow = -floorDiv(hour, 24);
    hour += borrow * 24;
    day -= borrow;
  }
  if (!fitsInt(minute) || !fitsInt(hour) || !fitsInt(day)) return false;
  t.second = second;
  t.minute = static_cast<int>(minute);
  t.hour = static_cast<int>(hour);
  t.day = static_cast<int>(day);

  if (t.month < 0) {
    const std::int64_t borrow = -floorDiv(t.month, 12);
    if (t.year - borrow < 0) {
      // Stepping a year at a time stops at the step that leaves 1900.
      t.month += 12 * (t.year + 1);
      t.year = -1;
      return false;
    }
    t.month = static_cast<int>(t.month + borrow * 12);
    t.year = static_cast<int>(t.year - borrow);
  } else if (t.month > 11) {
    const std::int64_t year = static_cast<std::int64_t>(t.year) + t.month / 12;
    if (!fitsInt(year)) return false;
    t.month %= 12;
    t.year = static_cast<int>(year);
  }

  // Any 400 years hold the same number of days, so whole cycles are taken at
  // once; the rest goes back a month at a time as the rule says.
  while (t.day <= -kDaysPer400Years && t.year >= 400) {
    t.day += kDaysPer400Years;
    t.year -= 400;
  }
  while (t.day < 1) {
    if (--t.month < 0) {
      t.month = 11;
      if (--t.year < 0) return false;
    }
    t.day += monthLength(t.month, t.year);
  }
  // A start worked back from a length mostly only borrows within its day.
  if (fieldsInRange(t)) {
    fillWeekdayAndYearDay(t);
    return true;
  }

  CalendarTime converted = t;
  if (!convertLocalTime(converted)) return false;
  t = converted;
  return true;
}

bool isNormalised(const CalendarTime& t) {
  if (!fieldsInRange(t)) return false;
  CalendarTime filled = t;
  fillWeekdayAndYearDay(filled);
  return t.weekday == filled.weekday && t.yearDay == filled.yearDay;
}

std::optional<BillingPeriod> closingDateOf(const CalendarTime& date, int meterDay) {
  BillingPeriod period;
  period.year = date.year;
  period.month = date.day >= meterDay ? date.month + 1 : date.month;
  period.day = meterDay - 1;
  if (!convertLocalTime(period)) return std::nullopt;
  return period;
}

std::optional<CalendarTime> startDate(const LocalDate& today, int meterDay, int latestMonths) {
  CalendarTime start;
  start.year = today.year - 1900;
  start.month = today.month - 1 - latestMonths + (today.day >= meterDay ? 1 : 0);
  start.day = meterDay - 1;
  if (!normalise(start)) return std::nullopt;
  return start;
}

// The latest "day meterDay − 1 of a month", normalised, that lies before
// `closing`. Going back from the closing's own month also finds it for
// month-end closings (day 0 of the closing's month is the last day of the
// month before) and for closing days a short month pushed into the next one
// (day 30 of February is 2 March, its predecessor 30 January). No candidate
// of a later month can lie before the closing, and forming one would fail
// for a closing in the calendar's last month.
std::optional<BillingPeriod> previousClosingDate(const BillingPeriod& closing, int meterDay) {
  for (int monthsBack = 0; monthsBack <= 3; ++monthsBack) {
    CalendarTime candidate;
    candidate.year = closing.year;
    candidate.month = closing.month - monthsBack;
    candidate.day = meterDay - 1;
    if (!normalise(candidate)) return std::nullopt;
    if (isLaterDate(closing, candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<BillingMonthDates> billingMonthDates(const BillingPeriod& closing, int meterDay) {
  auto start = previousClosingDate(closing, meterDay);
  if (!start) return std::nullopt;
  start->day += 1;
  if (!normalise(*start)) return std::nullopt;
  return BillingMonthDates{localDateOf(*start), localDateOf(closing)};
}

std::optional<BillingMonthDates> billingMonthOf(const LocalDate& day, int meterDay) {
  const CalendarTime date = calendarOf(day);
  auto closing = closingDateOf(date, meterDay);
  if (!closing) return std::nullopt;
  const auto previous = previousClosingDate(*closing, meterDay);
  if (previous && !isLaterDate(date, *previous)) closing = previous;
  return billingMonthDates(*closing, meterDay);
}

std::optional<BillingPeriod> firstBillingPeriod(const CalendarTime& start, int meterDay) {
  // The day after is folded first: with month end, start 29 February gives
  // 1 March and so the month closing 31 March, where an unfolded "30
  // February" would close on 29 February again.
  CalendarTime next = start;
  next.day += 1;
  if (!normalise(next)) return std::nullopt;
  return closingDateOf(next, meterDay);
}

TimeSlot timeSlotOf(const CalendarTime& t) {
  if (t.hour == 23 || t.hour <= 7) return TimeSlot::LateNight;
  if (t.hour == 22) return TimeSlot::HolidayDay;
  if (t.hour >= 19) return TimeSlot::Evening;
  if (t.weekday == 0 || t.weekday == 6) return TimeSlot::HolidayDay;
  return isHoliday(t) ? TimeSlot::HolidayDay : TimeSlot::WeekdayDay;
}

CalendarTime calendarOf(const LocalDate& date) {
  CalendarTime t;
  t.year = date.year - 1900;
  t.month = date.month - 1;
  t.day = date.day;
  normalise(t);
  return t;
}

}  // namespace zelk
