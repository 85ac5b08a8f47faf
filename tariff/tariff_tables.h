// The carriers' rate tables: per distance band and tariff time band, with the
// dated changes of each carrier. The charge functions read them; nothing
// writes them.
//
// Each carrier has one table: its original rates by row, plus a list of
// changes in date order, each replacing one row from a given day on, either
// for every call or only for calls within the own prefecture. A call is
// charged with the rates that hold on its own start date for its own
// prefecture flag.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/calendar.h"
#include "base/distance_band.h"

namespace zelk {

// The tariffs' three time bands: day (weekday daytime); night, Saturday,
// Sunday and holiday; late night and early morning.
enum class TariffBand : std::uint8_t { Day = 0, Night = 1, LateNight = 2 };
inline constexpr std::size_t kTariffBands = 3;

constexpr TariffBand tariffBandOf(TimeSlot slot) {
  switch (slot) {
    case TimeSlot::WeekdayDay: return TariffBand::Day;
    case TimeSlot::LateNight: return TariffBand::LateNight;
    case TimeSlot::HolidayDay:
    case TimeSlot::Evening: break;
  }
  return TariffBand::Night;
}

// A day as the number yyyymmdd; tariff changes are dated this way.
using TariffDate = std::int64_t;

// The date of a (normalised) moment as yyyymmdd.
constexpr TariffDate tariffDateOf(const CalendarTime& moment) {
  return (moment.year + TariffDate{1900}) * 10000 + (moment.month + TariffDate{1}) * 100 +
         moment.day;
}

// Seconds one charge unit lasts, in tenths of a second, by tariff band
// (day, night, late night).
using UnitLengths = std::array<std::int32_t, kTariffBands>;

// A row of a unit-based tariff: the unit lengths and what one unit costs, in
// tenths of a yen.
struct UnitRate {
  UnitLengths unitLength;
  std::int32_t unitPrice;
};

// A row of KDDI's tariff: what one 6-second step costs by tariff band, in
// hundredths of a yen.
struct StepRate {
  std::array<std::int32_t, kTariffBands> stepPrice;
};

// Which calls a rate change applies to.
enum class RateScope : std::uint8_t {
  AllCalls,
  InPrefecture,  // only calls whose out-of-prefecture flag is 0
};

template <typename Rate>
struct RateChange {
  TariffDate from;  // first day of the new rate
  RateScope scope;
  std::uint8_t row;
  Rate rate;
};

// Distance bands 1-7 and 20 as columns 0-7. A value outside the bands a row
// can hold is charged as the farthest band.
inline constexpr std::size_t kBandColumns = 8;
constexpr std::size_t bandColumn(DistanceBand band) {
  const auto code = static_cast<std::size_t>(band);
  return code >= 1 && code <= 7 ? code - 1 : kBandColumns - 1;
}

template <typename Rate>
struct DatedTariff {
  std::array<std::uint8_t, kBandColumns> rowOfBand;  // bands 1-7, 20
  std::span<const Rate> rows;                        // the original rates
  std::span<const RateChange<Rate>> changes;         // in date order

  // The rate of `band` for a call starting at `start`; later changes
  // override earlier ones.
  const Rate& rateFor(DistanceBand band, const CalendarTime& start, bool inPrefecture) const {
    const std::uint8_t row = rowOfBand[bandColumn(band)];
    const TariffDate date = tariffDateOf(start);
    const Rate* rate = &rows[row];
    for (const auto& change : changes) {
      if (change.from > date) break;
      if (change.row == row && (change.scope == RateScope::AllCalls || inPrefecture))
        rate = &change.rate;
    }
    return *rate;
  }
};

// NTT East/West, 10 yen a unit.
extern const DatedTariff<UnitRate> kNttTariff;
// NTT Com, 10 yen a unit.
extern const DatedTariff<UnitRate> kComTariff;
// The in-area plan rate, 10 yen a unit, one row for every band.
extern const DatedTariff<UnitRate> kLocalPlanTariff;
// TTNet, 9 yen a unit.
extern const DatedTariff<UnitRate> kTtnetTariff;
// TTNet's price of every unit of an adjacent call of more than one unit,
// tenths of a yen.
inline constexpr std::int32_t kTtnetAdjacentUnitPrice = 72;
// QTNet, 9 or 10 yen a unit by row and date.
extern const DatedTariff<UnitRate> kQtnetTariff;

// KDDI 001, charged in 6-second steps.
extern const DatedTariff<StepRate> kKddiTariff;
inline constexpr std::int32_t kKddiStepLength = 60;          // tenths of a second
inline constexpr std::int32_t kKddiMultiplyBelow = 324000;  // 9 hours, tenths of a second
inline constexpr TariffDate kKddiMinimumFrom = 19991101;
inline constexpr std::int32_t kKddiMinimumCharge = 500;     // hundredths of a yen

}  // namespace zelk
