// Unit counting: the running clock, the rating of each unit by the band it
// starts in, the half-second carry, and calls that cross bands, midnight,
// the year end and tariff change dates.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "charge_fixtures.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "tariff/charges.h"

namespace zelk {
namespace {

using test::at;
using test::kHour;
using test::secs;

// Working days (none is a holiday).
const CalendarTime kWed1999 = at(1999, 6, 16);  // old NTT distance rates
const CalendarTime kWed2000 = at(2000, 6, 14);

CalendarTime onDay(const CalendarTime& day, int hour, int minute, int second) {
  CalendarTime t = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  EXPECT_TRUE(normalise(t));
  return t;
}

struct CountCase {
  const char* what;
  CalendarTime start;
  std::int32_t duration;
  UnitLengths lengths;  // day, night, late night
  std::int32_t units;
};

TEST(CountUnits, EachUnitTakesTheLengthOfTheBandItStartsIn) {
  const UnitLengths oldBand5{225, 300, 450};
  const CountCase cases[] = {
      {"in-area day, 181 s: one full unit and one started", onDay(kWed2000, 10, 0, 0), secs(181),
       {1800, 1800, 2400}, 2},
      {"in-area day, exactly 180 s", onDay(kWed2000, 10, 0, 0), secs(180), {1800, 1800, 2400}, 1},
      {"adjacent from 18:59:30, 100 s: a day unit, then a night unit at 19:01:00",
       onDay(kWed2000, 18, 59, 30), secs(100), {900, 900, 1200}, 2},
      // The second unit starts at 19:01:00 and so lasts the night's 120 s:
      // 90 + 120 s cover 210 s. Rated as a day unit it would need a third.
      {"second unit from 19:01:00 is a night unit", onDay(kWed2000, 18, 59, 30), secs(210),
       {900, 1200, 1200}, 2},
      // The first unit runs 30 s into the night at its day length.
      {"a unit crossing into the night keeps its length", onDay(kWed2000, 18, 59, 30), secs(90),
       {900, 300, 300}, 1},
      {"two 22.5 s units make 45.0 s", onDay(kWed1999, 10, 0, 0), 450, oldBand5, 2},
      {"45.1 s starts a third 22.5 s unit", onDay(kWed1999, 10, 0, 0), 451, oldBand5, 3},
      // 18:59:15 + 22 s + 23 s = 19:00:00: the third unit is a 30 s night
      // unit, so 75.0 s take three units (without the carried half second
      // the third would start at 18:59:59 and a fourth be needed).
      {"the carried half second moves the third unit into the night", onDay(kWed1999, 18, 59, 15),
       750, oldBand5, 3},
      // Four 22.5 s units move the clock exactly 90 s, to 19:00:00.
      {"four 22.5 s units move the clock 90 s", onDay(kWed1999, 18, 58, 30), 1200, oldBand5, 5},
      // 07:59:00 + 240 s: the second and third units are 60 s day units.
      {"late night 07:59:00, the next units by day", onDay(kWed2000, 7, 59, 0), secs(301),
       {600, 750, 2400}, 3},
  };
  for (const auto& c : cases) EXPECT_EQ(countUnits(c.start, c.duration, c.lengths), c.units) << c.what;
}

TEST(CountUnits, NoDurationNoUnit) {
  const UnitLengths lengths{1800, 1800, 2400};
  for (std::int32_t duration : {0, -1, -secs(600), INT_MIN})
    EXPECT_EQ(countUnits(kWed2000, duration, lengths), 0) << duration;
  EXPECT_EQ(countUnits(kWed2000, 1, lengths), 1);
}

TEST(CountUnits, LengthOfZeroEndsTheCountInsteadOfLoopingForever) {
  EXPECT_EQ(countUnits(onDay(kWed2000, 10, 0, 0), secs(600), {0, 0, 0}), 0);
  // Day units of 60 s until 19:00, then a band without a length.
  EXPECT_EQ(countUnits(onDay(kWed2000, 18, 58, 0), secs(600), {600, 0, 0}), 2);
}

// Calls over band changes, midnight, a weekend, the year end and a full day.
struct LongCallCase {
  const char* what;
  CalendarTime start;
  std::int32_t duration;
  DistanceBand band;
  std::int32_t units;
};

TEST(NttUnits, LongCallsCrossBandsMidnightAndTheYearEnd) {
  const LongCallCase cases[] = {
      // Wed 12:00-19:00 day 140, 19:00-23:00 night 80, 23:00-08:00 late 135,
      // Thu 08:00-12:00 day 80.
      {"24 hours in-area", at(2000, 6, 14, 12), 24 * kHour, DistanceBand::InArea, 435},
      // Fri 18:00-19:00 day 80 (45 s), 19:00-23:00 night 240 (60 s),
      // 23:00-08:00 late 360 (90 s), Saturday 08:00-09:00 night 60.
      {"Friday evening into Saturday morning", at(2000, 11, 17, 18), 15 * kHour,
       DistanceBand::Beyond170km, 740},
      // 22:58:00-23:00:00 night, 4 units of 30 s; then 7080 s of late night
      // at 45 s: 157.3, so 158 units, into 2000-01-01.
      {"over the year end 1999/2000", at(1999, 12, 31, 22, 58), 2 * kHour,
       DistanceBand::Upto100km, 162},
      // Sun 23:00 to Mon 2001-01-01 08:00 late night, 360 units of 90 s; New
      // Year's Day is a holiday, so 08:00-08:30 at the night's 60 s: 30.
      {"into New Year's Day on a Monday", at(2000, 12, 31, 23), 9 * kHour + kHour / 2,
       DistanceBand::Upto100km, 390},
      // Started on the old tariff's last day: its 60 s late-night units stay
      // for the whole call, though it runs into the new tariff's first day.
      {"from 2000-09-30 23:59 into the change day", at(2000, 9, 30, 23, 59), secs(180),
       DistanceBand::Upto30km, 3},
      {"from 2000-10-01 00:00 on the new tariff", at(2000, 10, 1, 0, 0), secs(180),
       DistanceBand::Upto30km, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(nttUnits(c.start, c.duration, c.band), c.units) << c.what;
}

TEST(CountUnits, NormalCallsShowNoMessage) {
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  EXPECT_EQ(nttUnits(at(2000, 12, 31, 23), 9 * kHour, DistanceBand::InArea), 135);
  EXPECT_TRUE(sink.messages.empty());
}

TEST(CountUnits, ClockPastTheLastDayReportsOnceAndCountingGoesOn) {
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  // 240 s late-night units from 2100-12-31 23:59: the clock leaves the
  // calendar after the first unit and stays in the late-night band.
  EXPECT_EQ(nttUnits(at(2100, 12, 31, 23, 59), secs(600), DistanceBand::InArea), 3);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], sjis("検針日が設定できません(-_-)\n"));

  // A single unit that runs past the last day moves the clock out too.
  sink.messages.clear();
  EXPECT_EQ(nttUnits(at(2100, 12, 31, 23, 59), secs(60), DistanceBand::InArea), 1);
  EXPECT_EQ(sink.messages.size(), 1u);
}

TEST(CountUnits, StartThatWasNeverADateStillCounts) {
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  CalendarTime before1900 = at(2000, 6, 14, 10);
  before1900.year = -5;  // a broken line, processed as read
  EXPECT_EQ(countUnits(before1900, secs(400), {1800, 1800, 2400}), 3);
  EXPECT_EQ(sink.messages.size(), 1u);

  // One unit is enough to hear of it: the clock is moved past every unit,
  // the last one too.
  sink.messages.clear();
  EXPECT_EQ(countUnits(before1900, secs(100), {1800, 1800, 2400}), 1);
  EXPECT_EQ(sink.messages.size(), 1u);

  CalendarTime hugeSeconds = at(2000, 6, 14, 10);
  hugeSeconds.second = INT_MAX - 5;  // the clock must not overflow
  EXPECT_GT(countUnits(hugeSeconds, secs(400), {1800, 1800, 2400}), 0);
}

}  // namespace
}  // namespace zelk
