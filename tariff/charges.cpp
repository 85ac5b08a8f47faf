#include "tariff/charges.h"

#include <algorithm>
#include <cstddef>

#include "tariff/running_clock.h"

namespace zelk {
namespace {

// A call's units under a tariff, and what one unit costs there.
struct CountedUnits {
  std::int32_t units;
  std::int32_t unitPrice;  // tenths of a yen
};

CountedUnits countUnder(const DatedTariff<UnitRate>& tariff, const RunningClock& start,
                        std::int32_t duration, DistanceBand band, bool inPrefecture) {
  const UnitRate& rate = tariff.rateFor(band, start.now(), inPrefecture);
  return {countUnits(start, duration, rate.unitLength), rate.unitPrice};
}

// The second, third and fourth digits decide whether a number is covered by
// the Kyushu reduction; a number too short to have them reads as if it ended
// there.
char digitAt(std::string_view number, std::size_t index) {
  return index < number.size() ? number[index] : '\0';
}

bool kyushuReductionApplies(std::string_view number) {
  const char d2 = digitAt(number, 1);
  const char d3 = digitAt(number, 2);
  const char d4 = digitAt(number, 3);
  if (d2 != '9') return false;
  if (d3 == '8') return d4 >= '2' && d4 <= '7';
  if (d3 == '9') return d4 != '9' && d4 != '0';
  return true;
}

}  // namespace

std::int32_t countUnits(const CalendarTime& start, std::int32_t duration,
                        const UnitLengths& unitLengths) {
  return countUnits(RunningClock(start), duration, unitLengths);
}

std::int32_t countUnits(const RunningClock& start, std::int32_t duration, const UnitLengths& unitLengths) {
  RunningClock clock = start;
  std::int64_t units = 0;
  int halfSeconds = 0;
  for (std::int64_t remaining = duration; remaining > 0;) {
    const std::int32_t length = unitLengths[static_cast<std::size_t>(clock.band())];
    if (length <= 0) break;
    // Every unit that starts before the band can change has this length.
    const std::int64_t taken = std::min(clock.unitsStartingInBand(length, halfSeconds),
                                        (remaining + length - 1) / length);
    units += taken;
    remaining -= taken * length;
    // The clock is moved past the last unit too: a moment the calendar cannot
    // hold is reported even for a call of one unit.
    clock.advance(secondsOf(taken, length, halfSeconds));
    if (length % 10 != 0) halfSeconds = static_cast<int>((halfSeconds + taken) % 2);
  }
  return static_cast<std::int32_t>(units);
}

std::int32_t nttUnits(const RunningClock& start, std::int32_t duration, DistanceBand band) {
  return countUnder(kNttTariff, start, duration, band, false).units;
}

std::int32_t comUnits(const RunningClock& start, std::int32_t duration, DistanceBand band) {
  return countUnder(kComTariff, start, duration, band, false).units;
}

std::int32_t localPlanUnits(const RunningClock& start, std::int32_t duration) {
  return countUnder(kLocalPlanTariff, start, duration, DistanceBand::InArea, false).units;
}

std::int32_t ttnetCharge(const RunningClock& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture) {
  const auto [units, unitPrice] =
      countUnder(kTtnetTariff, start, duration, band, outOfPrefecture == 0);
  if (band == DistanceBand::Adjacent && units > 1) return units * kTtnetAdjacentUnitPrice;
  return units * unitPrice;
}

std::int32_t qtnetCharge(const RunningClock& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture) {
  const auto [units, unitPrice] =
      countUnder(kQtnetTariff, start, duration, band, outOfPrefecture == 0);
  return units * unitPrice;
}

std::int32_t nttUnits(const CalendarTime& start, std::int32_t duration, DistanceBand band) {
  return nttUnits(RunningClock(start), duration, band);
}

std::int32_t comUnits(const CalendarTime& start, std::int32_t duration, DistanceBand band) {
  return comUnits(RunningClock(start), duration, band);
}

std::int32_t localPlanUnits(const CalendarTime& start, std::int32_t duration) {
  return localPlanUnits(RunningClock(start), duration);
}

std::int32_t ttnetCharge(const CalendarTime& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture) {
  return ttnetCharge(RunningClock(start), duration, band, outOfPrefecture);
}

std::int32_t qtnetCharge(const CalendarTime& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture) {
  return qtnetCharge(RunningClock(start), duration, band, outOfPrefecture);
}

std::int32_t kyushuReduced(std::int32_t qtnetCharge, std::string_view number) {
  if (!kyushuReductionApplies(number)) return qtnetCharge;
  return static_cast<std::int32_t>((std::int64_t{qtnetCharge} * 84 + 500) / 1000 * 10);
}

}  // namespace zelk
