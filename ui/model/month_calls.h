// The calls of one stored billing month, one by one, as the calculation rated
// them: what a user holds against the carrier's itemised bill. The list comes
// from a replay of the run for that month, so its sums are the month's.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/calendar.h"
#include "base/distance_band.h"
#include "run/calculation.h"
#include "run/rated_call.h"

namespace zelk {

struct CallLine {
  std::string start;               // "YYYY-MM-DD HH:MM:SS"
  std::string number;              // after replacement
  std::string name;                // connection name (CP932), "" for a dialled number
  std::int32_t seconds = 0;        // duration rounded to whole seconds
  DistanceBand band = DistanceBand::InArea;
  bool outOfPrefecture = false;
  TimeSlot slot = TimeSlot::WeekdayDay;
  std::int32_t feeUnits = 0;       // NTT East/West units the month counted
  std::int32_t nttUnits = 0;       // NTT East/West units by the tariff
  std::int32_t comUnits = 0;       // NTT Com units
  std::optional<std::int32_t> carrierTenths;    // TTNet/QTNet, tenths of a yen
  std::optional<std::int32_t> carrierReducedTenths;  // QTNet after the Kyushu reduction
  std::optional<std::int32_t> kddiHundredths;   // KDDI, hundredths of a yen
  std::optional<std::int32_t> loggedFee;        // 10-yen units the log recorded

  bool lateNight() const { return slot == TimeSlot::LateNight; }
  // The units the call list's second column counts for a call outside the
  // late night: NTT Com units for an out-of-prefecture number.
  std::int32_t restUnits() const { return outOfPrefecture ? comUnits : feeUnits; }
};

CallLine callLineOf(const RatedCall& rated);

// The columns of the list, in the order every view shows them.
enum class CallColumn {
  Start, Number, Name, Seconds, Band, OutOfPrefecture, TimeBand,
  FeeUnits, NttUnits, NttYen, ComUnits, CarrierYen, KddiYen, LoggedFee,
};
inline constexpr std::size_t kCallColumnCount = 14;
extern const std::array<CallColumn, kCallColumnCount> kCallColumns;

// The column's caption (CP932).
std::string columnCaption(CallColumn column);
// The cell's text (CP932); "" where the value does not exist (no carrier,
// no logged fee).
std::string cellText(const CallLine& call, CallColumn column);
// True for the columns that hold numbers (right-aligned, summed, sorted by value).
bool isSummed(CallColumn column);
// The value a numeric column sorts and sums by, in its finest unit.
std::int64_t cellValue(const CallLine& call, CallColumn column);

struct MonthCalls {
  std::vector<CallLine> calls;
  // The sum of every summed column, in cellValue's units.
  std::int64_t total(CallColumn column) const;
  // The total as the totals row shows it (CP932).
  std::string totalText(CallColumn column) const;
};

// A sum of cellValue in `column` as the totals row shows it (CP932); "" for
// a column that is not summed.
std::string sumText(CallColumn column, std::int64_t sum);

// For each column, the call with the longest text (the first of equals) and
// that length in bytes, found without making the texts: what a view sizes
// its columns by. A length of 0: no call has a value in that column.
struct WidestCells {
  std::array<std::size_t, kCallColumnCount> row{};
  std::array<std::size_t, kCallColumnCount> length{};
};
WidestCells widestCells(const MonthCalls& calls);

// Replays `run` for its stored month `monthIndex` (0 the oldest). The run's messages were shown already, so the
// replay keeps them to itself; a fatal condition ends it as it ends the run.
MonthCalls monthCalls(const RunResult& run, int monthIndex);

// The list as CSV: UTF-8 with a byte-order mark, CR LF, a header line and one
// line per call.
std::string callsCsv(const MonthCalls& calls);

}  // namespace zelk
