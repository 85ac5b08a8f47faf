// KDDI 001 charges by 6-second steps. A call that stays in one tariff band is
// priced by multiplication; one that crosses a band, or lasts long enough to
// leave a band and come back to it, is walked band by band.
#include <algorithm>
#include <limits>
#include <optional>

#include "tariff/charges.h"
#include "tariff/running_clock.h"

namespace zelk {
namespace {

// The band of the moment duration / 10 whole seconds after the start;
// nothing when that moment cannot be normalised.
std::optional<TariffBand> endBand(const CalendarTime& start, std::int32_t duration) {
  CalendarTime end = start;
  const std::int64_t second = std::int64_t{end.second} + duration / 10;
  end.second = static_cast<int>(std::min<std::int64_t>(second, std::numeric_limits<int>::max()));
  if (!normalise(end)) return std::nullopt;
  return tariffBandOf(timeSlotOf(end));
}

}  // namespace

std::int32_t kddiCharge(const CalendarTime& start, std::int32_t duration, DistanceBand band,
                        std::uint8_t outOfPrefecture) {
  const auto& price = kKddiTariff.rateFor(band, start, outOfPrefecture == 0).stepPrice;
  const std::int64_t steps =
      duration > 0 ? (std::int64_t{duration} + kKddiStepLength - 1) / kKddiStepLength : 0;
  std::int64_t charge = 0;
  if (steps > 0) {
    RunningClock clock(start);
    const TariffBand first = clock.band();
    std::optional<TariffBand> last;
    if (duration < kKddiMultiplyBelow) {
      last = endBand(start, duration);
      // An end that cannot be dated is a date error of the call, even when
      // the walk that follows never meets one.
      if (!last) clock.reportDateError();
    }
    if (last == first) {
      charge = steps * price[static_cast<std::size_t>(first)];
    } else {
      // The steps that start in one band are priced together; the clock
      // ends at the start of the last step.
      for (std::int64_t step = 0; step < steps;) {
        const std::int64_t taken =
            std::min(clock.unitsStartingInBand(kKddiStepLength, 0), steps - step);
        charge += taken * price[static_cast<std::size_t>(clock.band())];
        step += taken;
        const std::int64_t moved = step < steps ? taken : taken - 1;
        if (moved > 0) clock.advance(secondsOf(moved, kKddiStepLength, 0));
      }
    }
  }
  if (tariffDateOf(start) >= kKddiMinimumFrom && charge < kKddiMinimumCharge)
    charge = kKddiMinimumCharge;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(charge, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace zelk
