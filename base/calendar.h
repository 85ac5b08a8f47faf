// Calendar rules: the broken-down local time used everywhere, billing months
// cut at the meter-reading day, normalisation of out-of-range fields, and the
// time slot of a moment, with the holidays of base/holidays.h.
//
// All arithmetic is our own proleptic Gregorian calendar: no time zone, no
// daylight saving, no platform conversion.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/clock.h"

namespace zelk {

// Broken-down local time. year counts from 1900, month is 0-11, weekday 0 is
// Sunday, yearDay 0-365. Before normalisation second, minute, hour and day may
// be negative or zero and month may lie outside 0-11.
struct CalendarTime {
  int second = 0;
  int minute = 0;
  int hour = 0;
  int day = 0;
  int month = 0;
  int year = 0;
  int weekday = 0;
  int yearDay = 0;
  int daylight = -1;  // never known
  bool operator==(const CalendarTime&) const = default;
};

// The closing date of a billing month (only its date fields count).
using BillingPeriod = CalendarTime;

enum class TimeSlot : std::uint8_t { WeekdayDay = 0, HolidayDay = 1, Evening = 2, LateNight = 3 };

// Normalises the record in place and fills weekday and day of the year.
// False when the year falls before 1900 or the result lies outside the years
// 1900-2100; the borrowing steps done until then stay in the record.
bool normalise(CalendarTime& record);

// True when every field is in range and weekday and day of the year agree
// with the date, so normalise would leave the record as it is.
bool isNormalised(const CalendarTime& record);

// True when a's date is later than b's date (year, then day of the year).
inline bool isLaterDate(const CalendarTime& a, const CalendarTime& b) {
  return a.year != b.year ? a.year > b.year : a.yearDay > b.yearDay;
}

// The closing date of the billing month that contains `date`; nothing when
// the date cannot be converted.
std::optional<BillingPeriod> closingDateOf(const CalendarTime& date, int meterDay);

// The closing date of the last billing month that is not kept; nothing when it
// cannot be normalised.
std::optional<CalendarTime> startDate(const LocalDate& today, int meterDay, int latestMonths);

// The closing date of the billing month before the one that closes on
// `closing`; nothing when it cannot be normalised.
std::optional<BillingPeriod> previousClosingDate(const BillingPeriod& closing, int meterDay);

// The first and the last day of the billing month that closes on `closing`;
// nothing when the month before cannot be worked out.
struct BillingMonthDates {
  LocalDate periodStart;
  LocalDate closingDate;
};
std::optional<BillingMonthDates> billingMonthDates(const BillingPeriod& closing, int meterDay);

// The billing month that holds `day` as billingMonthDates counts its days:
// the first one that closes on or after it. A closing day that a short month
// pushes into the next (day 31 of April is 1 May) is the last day of its own
// month here, where closingDateOf files that day under the next month.
std::optional<BillingMonthDates> billingMonthOf(const LocalDate& day, int meterDay);

// The closing date of the first billing month kept: the billing month of the
// day after the start date; nothing when it cannot be converted.
std::optional<BillingPeriod> firstBillingPeriod(const CalendarTime& start, int meterDay);

// The time slot of a normalised moment.
TimeSlot timeSlotOf(const CalendarTime& moment);

// The calendar record of a date at 00:00:00, normalised.
CalendarTime calendarOf(const LocalDate& date);

// The date of a calendar record (its time of day dropped).
inline LocalDate localDateOf(const CalendarTime& moment) {
  return {moment.year + 1900, moment.month + 1, moment.day};
}

}  // namespace zelk
