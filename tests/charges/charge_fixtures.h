// Moments and durations for the charge tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "base/calendar.h"

namespace zelk::test {

// A normalised moment; month and day as on the calendar.
inline CalendarTime at(int year, int month, int day, int hour = 0, int minute = 0,
                       int second = 0) {
  CalendarTime t;
  t.year = year - 1900;
  t.month = month - 1;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  EXPECT_TRUE(normalise(t)) << year << "-" << month << "-" << day;
  return t;
}

// Whole seconds as tenths of a second.
constexpr std::int32_t secs(std::int32_t seconds) { return seconds * 10; }

constexpr std::int32_t kHour = 36000;  // tenths of a second

}  // namespace zelk::test
