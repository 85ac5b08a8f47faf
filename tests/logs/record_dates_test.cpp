// Dating the records of a log in order: whatever a line holds, the date is
// the one reading the record's start and normalising it gives.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/calendar.h"
#include "log_test_support.h"
#include "logs/log_layout.h"
#include "logs/record_dates.h"
#include "logs/record_engine.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::sj;

// Writes `value` into `span` of `line`, zero-padded.
void writeField(std::string& line, Span span, int value) {
  if (!span.present() || span.width == kToLineEnd) return;
  for (int at = span.column + span.width - 1; at >= span.column; --at, value /= 10)
    line[static_cast<std::size_t>(at)] = static_cast<char>('0' + value % 10);
}

// A few records a day, as logs hold them, over dates and clocks that are
// mostly real but also out of range (day 0, 30 February, month 13, hour 99),
// at the edges of the calendar, and with odd bytes in a field.
TEST(RecordDates, EveryRecordDatedAsNormalisingItsStartDates) {
  std::mt19937 random(31);
  auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  const int fourDigitYears[] = {1900, 1901, 1999, 2000, 2004, 2100, 2101, 0, 1899};
  const int twoDigitYears[] = {0, 80, 81, 99, 4};
  for (const FormatLayout& layout : allLayouts()) {
    SCOPED_TRACE(static_cast<int>(layout.format));
    const std::string good = sj(test::goodRecordLine(layout.format));
    RecordDates dates(layout);
    std::string line = good;
    for (int record = 0; record < 20000; ++record) {
      if (pick(6) == 0) {  // a new day
        line = good;
        writeField(line, layout.year,
                   layout.twoDigitYear ? twoDigitYears[pick(5)] : fourDigitYears[pick(9)]);
        writeField(line, layout.month, pick(10) == 0 ? pick(14) : 1 + pick(12));
        writeField(line, layout.day, pick(10) == 0 ? pick(33) : 1 + pick(28));
      }
      for (const ClockFields* clock : {&layout.time, &layout.length}) {
        writeField(line, clock->hour, pick(8) == 0 ? pick(100) : pick(24));
        writeField(line, clock->minute, pick(8) == 0 ? pick(100) : pick(60));
        writeField(line, clock->second, pick(8) == 0 ? pick(100) : pick(60));
      }
      std::string odd = line;
      if (pick(50) == 0) odd[static_cast<std::size_t>(layout.time.minute.column)] = ' ';
      if (pick(50) == 0) odd[static_cast<std::size_t>(layout.day.column)] = 'x';

      CallRecord expected;
      parseCallStart(layout, odd, expected);
      const bool expectedValid = normalise(expected.start);
      CalendarTime date;
      const bool valid = dates.startOf(odd, date);
      ASSERT_EQ(valid, expectedValid) << odd;
      ASSERT_EQ(date, expected.start) << odd;
    }
  }
}

// A start taken back over midnight, and one on the calendar's first day,
// after a record that made the day known.
TEST(RecordDates, StartsLeavingTheirDay) {
  const FormatLayout& layout = *layoutOf(LogFormat::T);
  struct Case {
    const char* date;
    const char* end;
    const char* length;
  };
  const Case cases[] = {
      {"2000-03-01", "00:10:00", "00:20:00"},  // into 29 February
      {"2001-01-01", "00:00:05", "00:00:10"},  // into the year before
      {"1900-01-01", "00:00:05", "00:00:10"},  // before the calendar: not a date
      {"1900-01-01", "00:10:00", "00:00:10"},
      {"1900-01-01", "00:99:00", "01:00:00"},  // borrows a day before the calendar first
      {"2000-12-31", "23:59:59", "00:00:00"},
      {"2000-12-31", "00:99:00", "01:00:00"},  // 99 minutes less an hour
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date) + " " + c.end + " " + c.length);
    std::string line = sj(test::goodRecordLine(LogFormat::T));
    line.replace(0, 10, c.date);
    RecordDates dates(layout);
    CalendarTime first;
    dates.startOf(line, first);  // the day is known from here on
    line.replace(11, 8, c.end);
    line.replace(20, 8, c.length);
    CallRecord expected;
    parseCallStart(layout, line, expected);
    const bool expectedValid = normalise(expected.start);
    CalendarTime date;
    EXPECT_EQ(dates.startOf(line, date), expectedValid);
    EXPECT_EQ(date, expected.start);
  }
}

}  // namespace
}  // namespace zelk
