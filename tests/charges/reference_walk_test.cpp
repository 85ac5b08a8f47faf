// The charge functions, which take all the units that start in one band at
// once, against plain reference walks that normalise the clock after every
// unit or step: over starts spread across a week with a weekend, the year end
// and New Year's holidays, random starts next to band edges, midnight and the
// last day the calendar holds, broken starts, and durations from a tenth of a
// second to weeks.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "charge_fixtures.h"
#include "platform/messages.h"
#include "tariff/charges.h"

namespace zelk {
namespace {

using test::at;
using test::kHour;

TariffBand bandAt(const CalendarTime& moment) { return tariffBandOf(timeSlotOf(moment)); }

// A clock moved on one unit or step at a time, normalised after each move;
// it notes whether the calendar ever failed to hold its moment.
struct ReferenceClock {
  CalendarTime moment;
  bool failed = false;

  void advance(std::int64_t seconds) {
    moment.second = static_cast<int>(
        std::clamp<std::int64_t>(moment.second + seconds, INT_MIN, INT_MAX));
    if (!normalise(moment)) failed = true;
  }
};

struct Walked {
  std::int64_t result;
  bool failed;
};

Walked referenceWalk(const CalendarTime& start, std::int32_t duration, const UnitLengths& lengths) {
  ReferenceClock clock{start};
  std::int32_t units = 0;
  int half = 0;
  for (std::int64_t remaining = duration; remaining > 0;) {
    const std::int32_t length = lengths[static_cast<std::size_t>(bandAt(clock.moment))];
    if (length <= 0) break;
    std::int64_t seconds = length / 10;
    if (length % 10 != 0 && ++half == 2) {
      seconds += 1;
      half = 0;
    }
    ++units;
    clock.advance(seconds);
    remaining -= length;
  }
  return {units, clock.failed};
}

std::int32_t referenceUnits(CalendarTime clock, std::int32_t duration, const UnitLengths& lengths) {
  return static_cast<std::int32_t>(referenceWalk(clock, duration, lengths).result);
}

Walked referenceKddiWalk(const CalendarTime& start, std::int32_t duration,
                         const std::array<std::int32_t, 3>& price) {
  ReferenceClock clock{start};
  std::int64_t charge = 0;
  for (std::int64_t step = 0; step < (std::int64_t{duration} + 59) / 60; ++step) {
    if (step > 0) clock.advance(6);
    charge += price[static_cast<std::size_t>(bandAt(clock.moment))];
  }
  return {charge, clock.failed};
}

std::int32_t referenceKddi(CalendarTime clock, std::int32_t duration,
                           const std::array<std::int32_t, 3>& price) {
  return static_cast<std::int32_t>(referenceKddiWalk(clock, duration, price).result);
}

std::vector<CalendarTime> startsAroundTheYearEnd() {
  std::vector<CalendarTime> starts;
  CalendarTime t = at(2000, 12, 28, 0, 3, 7);
  for (int i = 0; i < 60; ++i) {
    starts.push_back(t);
    t.second += 2 * 3600 + 17 * 60 + 31;
    normalise(t);
  }
  return starts;
}

constexpr std::int32_t kDurations[] = {1, 449, 450, 451, 2255, 18000, 9 * kHour + 7, 30 * kHour + 3};

TEST(ReferenceWalk, UnitCountsMatchAPlainWalk) {
  const UnitLengths lengthSets[] = {
      {225, 300, 450}, {200, 225, 300}, {1800, 1800, 2400}, {260, 450, 450}};
  for (const auto& start : startsAroundTheYearEnd())
    for (const auto& lengths : lengthSets)
      for (std::int32_t duration : kDurations)
        ASSERT_EQ(countUnits(start, duration, lengths), referenceUnits(start, duration, lengths))
            << start.year + 1900 << "-" << start.month + 1 << "-" << start.day << " "
            << start.hour << ":" << start.minute << ":" << start.second << " for " << duration
            << " with " << lengths[0] << "/" << lengths[1] << "/" << lengths[2];
}

TEST(ReferenceWalk, KddiMultiplicationAgreesWithAPlainWalkAndLongCallsAreWalked) {
  // In-prefecture rates from 2000-10-01: class B 1.01 / 0.91 / 0.68 yen and
  // class D 1.31 / 1.01 / 0.68 yen.
  const std::pair<DistanceBand, std::array<std::int32_t, 3>> classes[] = {
      {DistanceBand::Upto30km, {101, 91, 68}}, {DistanceBand::Beyond170km, {131, 101, 68}}};
  for (const auto& start : startsAroundTheYearEnd())
    for (const auto& [band, price] : classes)
      for (std::int32_t duration : kDurations)
        ASSERT_EQ(kddiCharge(start, duration, band, 0),
                  std::max(500, referenceKddi(start, duration, price)))
            << start.year + 1900 << "-" << start.month + 1 << "-" << start.day << " "
            << start.hour << ":" << start.minute << ":" << start.second << " for " << duration
            << " in band " << int(band);
}

// Random starts: most a few seconds either side of a band edge (08:00,
// 19:00, 23:00) or midnight on days around weekends, holidays, tariff changes
// and the last day the calendar holds; some broken as a bad line leaves them.
class RandomCalls {
 public:
  CalendarTime start() {
    static const CalendarTime kDays[] = {
        at(1999, 12, 30), at(2000, 1, 7),   at(2000, 3, 17), at(2000, 9, 29),
        at(2000, 12, 29), at(2001, 1, 5),   at(2004, 2, 27), at(2100, 12, 29)};
    static const int kEdges[] = {0, 8, 19, 23, 24};
    CalendarTime t = kDays[pick(std::size(kDays))];
    t.day += static_cast<int>(pick(4));
    t.hour = kEdges[pick(std::size(kEdges))];
    t.second = static_cast<int>(pick(7201)) - 3600;
    if (pick(3) == 0) t.second = static_cast<int>(pick(86400));
    if (!normalise(t)) t = at(2100, 12, 31, 23, 59, 30);  // beyond the last day
    if (pick(12) == 0) breakOneField(t);
    return t;
  }

  std::int32_t duration() {
    switch (pick(4)) {
      case 0: return static_cast<std::int32_t>(pick(3000)) + 1;  // seconds or minutes
      case 1: return static_cast<std::int32_t>(pick(3 * 36000));
      case 2: return static_cast<std::int32_t>(pick(3 * 24 * 36000));
      default: return static_cast<std::int32_t>(pick(21 * 24 * 36000));  // up to three weeks
    }
  }

  UnitLengths lengths() {
    static const UnitLengths kTariffLike[] = {
        {225, 300, 450}, {200, 225, 300}, {1800, 1800, 2400}, {260, 450, 450}, {600, 750, 900}};
    if (pick(2) == 0) return kTariffLike[pick(std::size(kTariffLike))];
    UnitLengths lengths;  // any length, a tenths part now and then, a zero rarely
    for (auto& length : lengths) length = static_cast<std::int32_t>(pick(40) == 0 ? 0 : pick(5000) + 1);
    return lengths;
  }

  std::size_t pick(std::size_t count) { return random_() % count; }

 private:
  void breakOneField(CalendarTime& t) {
    switch (pick(5)) {
      case 0: t.year = static_cast<int>(pick(400)) - 100; break;  // before 1900 or after 2100
      case 1: t.month = static_cast<int>(pick(40)) - 14; break;
      case 2: t.day = static_cast<int>(pick(80)) - 40; break;
      case 3: t.second = static_cast<int>(pick(200000)) - 100000; break;
      default: t.weekday = static_cast<int>(pick(7)); break;  // a date never converted
    }
  }

  std::mt19937 random_{20240817};
};

std::string describe(const CalendarTime& t, std::int32_t duration) {
  return std::to_string(t.year + 1900) + "-" + std::to_string(t.month + 1) + "-" +
         std::to_string(t.day) + " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) +
         ":" + std::to_string(t.second) + " wd " + std::to_string(t.weekday) + " for " +
         std::to_string(duration);
}

TEST(ReferenceWalk, BandByBandCountsEqualTheUnitWalkForRandomCalls) {
  RandomCalls calls;
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  for (int i = 0; i < 1500; ++i) {
    const CalendarTime start = calls.start();
    const std::int32_t duration = calls.duration();
    const UnitLengths lengths = calls.lengths();
    sink.messages.clear();
    const Walked expected = referenceWalk(start, duration, lengths);
    ASSERT_EQ(countUnits(start, duration, lengths), expected.result)
        << describe(start, duration) << " with " << lengths[0] << "/" << lengths[1] << "/"
        << lengths[2];
    ASSERT_EQ(sink.messages.size(), expected.failed ? 1u : 0u) << describe(start, duration);
  }
}

TEST(ReferenceWalk, BandByBandKddiChargesEqualTheStepWalkForRandomCalls) {
  RandomCalls calls;
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  // Calls of 9 hours and more are always walked.
  for (int i = 0; i < 600; ++i) {
    const CalendarTime start = calls.start();
    const std::int32_t duration = calls.duration() % (3 * 24 * kHour) + 9 * kHour;
    const auto band = i % 2 ? DistanceBand::Beyond170km : DistanceBand::Upto60km;
    const auto& price = kKddiTariff.rateFor(band, start, true).stepPrice;
    sink.messages.clear();
    const Walked walked = referenceKddiWalk(start, duration, price);
    std::int64_t expected = walked.result;
    if (tariffDateOf(start) >= kKddiMinimumFrom) expected = std::max<std::int64_t>(500, expected);
    ASSERT_EQ(kddiCharge(start, duration, band, 0), std::min<std::int64_t>(expected, INT_MAX))
        << describe(start, duration);
    ASSERT_EQ(sink.messages.size(), walked.failed ? 1u : 0u) << describe(start, duration);
  }
}

}  // namespace
}  // namespace zelk
