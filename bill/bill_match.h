// Holds a bill's rows against the logged calls of the month. A row and a
// call match when they have the same number, begin within the tolerance of
// each other and last about as long: the nearest beginning wins and a call
// matches one row at most. Among pairs as near as each other, the nearer
// length wins, then the earlier line of the bill, then the call that began
// earlier, so that the same files always give the same answer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "bill/bill_carrier.h"
#include "bill/bill_file.h"
#include "bill/logged_call.h"

namespace zelk {

enum class BillClass { Matched, Differs, BillOnly, LogsOnly };
inline constexpr std::size_t kBillClassCount = 4;

struct BillMatchRules {
  int startTolerance = 120;  // seconds either way
  // The carrier whose estimate every row is held against, where the row's
  // own carrier column names none; the counted figure when none.
  std::optional<BillCarrier> carrier;
};

// The lengths of a row and a call agree within 10 seconds or a tenth of the
// longer one, whichever is more.
bool lengthsAgree(int billSeconds, int callSeconds);

struct BillCheckEntry {
  BillClass kind = BillClass::Matched;
  std::optional<std::size_t> row;   // into BillFile::rows
  std::optional<std::size_t> call;  // into the logged calls
  std::int64_t estimateHundredths = 0;  // of the call, when there is one
  std::optional<BillCarrier> carrier;   // whose estimate that is; none: the counted figure
};

struct BillTotals {
  std::array<int, kBillClassCount> count{};
  std::array<std::int64_t, kBillClassCount> billHundredths{};      // of the rows in each class
  std::array<std::int64_t, kBillClassCount> estimateHundredths{};  // of the calls in each class
  std::int64_t bill() const;
  std::int64_t estimate() const;
  bool allMatched() const { return count[1] + count[2] + count[3] == 0; }
};

struct BillCheck {
  BillFile bill;
  std::vector<LoggedCall> calls;  // in time order
  // Every row and every call once: the rows in the bill's order, each call
  // not on the bill after the row before which it began.
  std::vector<BillCheckEntry> entries;
  BillTotals totals;
};

BillCheck matchBill(BillFile bill, std::vector<LoggedCall> calls, const BillMatchRules& rules);

}  // namespace zelk
