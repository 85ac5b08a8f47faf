#include "run/internal/month_rows.h"

#include <cstdint>

#include "tariff/charges.h"
#include "tariff/running_clock.h"

namespace zelk {
namespace {

// Everything the call costs under each carrier. The tariff's units beside a
// logged fee are computed only when the month counts them.
RatedCall rateCall(CallRecord& call, const NumberTotals& row, const RunningClock& start, const Settings& settings) {
  const std::int32_t duration = call.duration;
  RatedCall rated{.call = call, .row = row};
  rated.loggedFee = call.fee;
  if (settings.fullCalc || call.fee == -1) {
    rated.computedUnits = nttUnits(start, duration, row.band);
    call.fee = rated.computedUnits;
  }
  rated.fee = call.fee;
  rated.comUnits = comUnits(start, duration, row.band);
  rated.slot = timeSlotOf(call.start);
  if (settings.regionalCarrier == RegionalCarrier::Tokyo) {
    rated.relayCharge = ttnetCharge(start, duration, row.band, row.outOfPrefecture);
  } else if (settings.regionalCarrier == RegionalCarrier::Kyushu) {
    rated.relayCharge = qtnetCharge(start, duration, row.band, row.outOfPrefecture);
    rated.relayReduced = kyushuReduced(*rated.relayCharge, row.number);
  }
  if (settings.kddi) rated.kddiCharge = kddiCharge(call.start, duration, row.band, row.outOfPrefecture);
  return rated;
}

// The rated call's share of each sum of its row: late-night or the rest, and
// the sums that only some plans read.
void addToRow(const RatedCall& rated, const RunningClock& start, NumberTotals& row) {
  const std::int32_t duration = rated.call.duration;
  const std::uint32_t fee = static_cast<std::uint32_t>(rated.fee);
  const std::uint32_t com = static_cast<std::uint32_t>(rated.comUnits);
  const TimeSlot slot = rated.slot;
  const bool late = rated.lateNight();
  auto add = [late](std::uint32_t& lateField, std::uint32_t& restField, std::uint32_t value) {
    (late ? lateField : restField) += value;
  };

  add(row.feeLate, row.feeRest, fee);
  add(row.comUnitsLate, row.comUnitsRest, com);
  if (slot == TimeSlot::LateNight || slot == TimeSlot::HolidayDay) row.comUnitsOffPeak += com;
  if (slot == TimeSlot::WeekdayDay || slot == TimeSlot::Evening)
    row.peakCharge += row.outOfPrefecture ? com : fee;
  if (rated.relayCharge)
    add(row.relayChargeLate, row.relayChargeRest, static_cast<std::uint32_t>(*rated.relayCharge));
  if (rated.relayReduced)
    add(row.relayReducedLate, row.relayReducedRest, static_cast<std::uint32_t>(*rated.relayReduced));
  if (row.band == DistanceBand::InArea) {
    add(row.localFeeLate, row.localFeeRest, fee);
    add(row.localPlanUnitsLate, row.localPlanUnitsRest,
        static_cast<std::uint32_t>(localPlanUnits(start, duration)));
  } else if (row.band == DistanceBand::Adjacent) {
    add(row.adjacentFeeLate, row.adjacentFeeRest, fee);
    add(row.adjacentAsLocalUnitsLate, row.adjacentAsLocalUnitsRest,
        static_cast<std::uint32_t>(nttUnits(start, duration, DistanceBand::InArea)));
  }
  if (rated.kddiCharge)
    add(row.kddiChargeLate, row.kddiChargeRest, static_cast<std::uint32_t>(*rated.kddiCharge));
  row.feeTotal += fee;
  row.comUnitsTotal += com;
}

}  // namespace

MonthRows::MonthRows(const Settings& settings, const MaLookup& origin, MaSearch& maSearch, LearnedTables& tables)
    : settings_(settings), rows_{table_, tables.tables, tables.grew, origin, called_, maSearch} {}

NumberTotals& MonthRows::rowOf(CallRecord& call) {
  return table_.rows[static_cast<std::size_t>(resolveRow(call, rows_))];
}

RatedCall MonthRows::add(CallRecord& call, NumberTotals& row) {
  const RunningClock start(call.start);
  const RatedCall rated = rateCall(call, row, start, settings_);
  addToRow(rated, start, row);
  return rated;
}

void addComputedUnits(RatedCall& rated) {
  if (rated.computedUnits == -1)
    rated.computedUnits = nttUnits(RunningClock(rated.call.start), rated.call.duration, rated.row.band);
}

}  // namespace zelk
