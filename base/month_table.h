// The per-number sums of one billing month.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <algorithm>
#include <vector>

#include "base/distance_band.h"

namespace zelk {

struct NumberTotals {
  DistanceBand band = DistanceBand::Undetermined;
  std::uint8_t outOfPrefecture = 0;  // 1: other prefecture or MA unknown
  std::uint8_t kind = 0;             // scratch of the normal-charge evaluation
  std::string number;                // up to 12 digits
  std::uint32_t feeTotal = 0;        // NTT East/West units of all calls
  std::uint32_t comUnitsTotal = 0;   // NTT Com units of all calls
  std::uint32_t adjacentFeeLate = 0;
  std::uint32_t adjacentAsLocalUnitsLate = 0;
  std::uint32_t adjacentFeeRest = 0;
  std::uint32_t adjacentAsLocalUnitsRest = 0;
  std::uint32_t localFeeLate = 0;
  std::uint32_t localPlanUnitsLate = 0;
  std::uint32_t localFeeRest = 0;
  std::uint32_t localPlanUnitsRest = 0;
  std::uint32_t feeLate = 0;
  std::uint32_t feeRest = 0;
  std::uint32_t comUnitsOffPeak = 0;
  std::uint32_t peakCharge = 0;
  std::uint32_t comUnitsLate = 0;
  std::uint32_t comUnitsRest = 0;
  std::uint32_t relayChargeLate = 0;   // TTNet/QTNet, tenths of a yen
  std::uint32_t relayChargeRest = 0;
  std::uint32_t relayReducedLate = 0;  // QTNet after the Kyushu reduction
  std::uint32_t relayReducedRest = 0;
  std::uint32_t kddiChargeLate = 0;    // hundredths of a yen
  std::uint32_t kddiChargeRest = 0;

  // Sets every sum to 0; band, flag and number stay.
  void clearSums();
};

// The rows of one month. It grows with the month's distinct numbers and keeps
// its rows over a month change, so a run holds no more rows than its busiest
// month needs.
struct MonthTable {
  std::vector<NumberTotals> rows;
  std::size_t used = 0;  // rows of this month; those after keep their strings for reuse
  // Sets every sum of all rows to 0, and no row is in use.
  void clear() {
    for (auto& row : rows) row.clearSums();
    used = 0;
    numberKeys_.clear();
    std::fill(buckets_.begin(), buckets_.end(), 0);
  }
  // The row in use of `number`, -1 when there is none; found through a hash
  // of the numbers, so a busy month is not searched row by row.
  int findRow(std::string_view number) const;
  // Makes the last row in use findable by its number.
  void indexLastRow();
  // The row at `index`, made when the table is not that long yet.
  NumberTotals& rowAt(std::size_t index) {
    if (index >= rows.size()) rows.resize(index + 1);
    return rows[index];
  }

 private:
  void placeRow(std::size_t row);

  std::vector<std::uint64_t> numberKeys_;  // by row in use
  std::vector<std::uint32_t> buckets_;     // row + 1, 0 for an empty bucket
};

inline void NumberTotals::clearSums() {
  const auto keepBand = band;
  const auto keepFlag = outOfPrefecture;
  const auto keepKind = kind;
  std::string keepNumber = std::move(number);
  *this = NumberTotals{};
  band = keepBand;
  outOfPrefecture = keepFlag;
  kind = keepKind;
  number = std::move(keepNumber);
}

}  // namespace zelk
