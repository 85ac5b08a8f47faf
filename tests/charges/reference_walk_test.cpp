// The charge functions against plain reference walks that normalise the
// clock after every unit or step, over starts spread across a week with a
// weekend, the year end and New Year's holidays, and durations from a tenth
// of a second to more than a day.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "charge_fixtures.h"
#include "tariff/charges.h"

namespace zelk {
namespace {

using test::at;
using test::kHour;

TariffBand bandAt(const CalendarTime& moment) { return tariffBandOf(timeSlotOf(moment)); }

std::int32_t referenceUnits(CalendarTime clock, std::int32_t duration, const UnitLengths& lengths) {
  std::int32_t units = 0;
  int half = 0;
  for (std::int64_t remaining = duration; remaining > 0;) {
    const std::int32_t length = lengths[static_cast<std::size_t>(bandAt(clock))];
    clock.second += length / 10;
    if (length % 10 != 0 && ++half == 2) {
      clock.second += 1;
      half = 0;
    }
    ++units;
    normalise(clock);
    remaining -= length;
  }
  return units;
}

std::int32_t referenceKddi(CalendarTime clock, std::int32_t duration,
                           const std::array<std::int32_t, 3>& price) {
  std::int64_t charge = 0;
  for (std::int64_t step = 0; step < (std::int64_t{duration} + 59) / 60; ++step) {
    charge += price[static_cast<std::size_t>(bandAt(clock))];
    clock.second += 6;
    normalise(clock);
  }
  return static_cast<std::int32_t>(charge);
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

}  // namespace
}  // namespace zelk
