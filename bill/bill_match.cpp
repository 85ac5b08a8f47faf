#include "bill/bill_match.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace zelk {
namespace {

// Carriers round a fraction of a yen either way: a row agrees with an
// estimate less than one yen away.
constexpr std::int64_t kChargeTolerance = 100;

std::int64_t distance(Moment a, Moment b) { return a > b ? a - b : b - a; }

// A row and a call that may match, and how near they are.
struct Candidate {
  std::int64_t startGap = 0;
  int lengthGap = 0;
  std::size_t row = 0;   // rows are in file order: the index orders as the line
  std::size_t call = 0;
  auto key() const { return std::tie(startGap, lengthGap, row, call); }
};

// Every pair of the same number within the tolerance whose lengths agree.
std::vector<Candidate> candidatesOf(const BillFile& bill, const std::vector<LoggedCall>& calls, int tolerance) {
  std::vector<std::size_t> byNumber(calls.size());
  std::iota(byNumber.begin(), byNumber.end(), std::size_t{0});
  // The index is held by value: a tie to the parameter would outlive it.
  auto callKey = [&calls](std::size_t i) {
    return std::tuple<const std::string&, const Moment&, std::size_t>(calls[i].number, calls[i].start, i);
  };
  std::sort(byNumber.begin(), byNumber.end(), [&](std::size_t a, std::size_t b) { return callKey(a) < callKey(b); });
  std::vector<Candidate> candidates;
  for (std::size_t row = 0; row < bill.rows.size(); ++row) {
    const BillRow& billRow = bill.rows[row];
    const Moment earliest = billRow.start - tolerance;
    auto at = std::lower_bound(byNumber.begin(), byNumber.end(), 0, [&](std::size_t i, int) {
      return std::tie(calls[i].number, calls[i].start) < std::tie(billRow.number, earliest);
    });
    for (; at != byNumber.end() && calls[*at].number == billRow.number && calls[*at].start <= billRow.start + tolerance;
         ++at) {
      const LoggedCall& call = calls[*at];
      if (!lengthsAgree(billRow.seconds, call.seconds)) continue;
      candidates.push_back({distance(billRow.start, call.start), std::abs(billRow.seconds - call.seconds), row, *at});
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) { return a.key() < b.key(); });
  return candidates;
}

}  // namespace

bool lengthsAgree(int billSeconds, int callSeconds) {
  const int longer = std::max(billSeconds, callSeconds);
  return std::abs(billSeconds - callSeconds) <= std::max(10, longer / 10);
}

std::int64_t BillTotals::bill() const { return std::accumulate(billHundredths.begin(), billHundredths.end(), std::int64_t{0}); }

std::int64_t BillTotals::estimate() const {
  return std::accumulate(estimateHundredths.begin(), estimateHundredths.end(), std::int64_t{0});
}

BillCheck matchBill(BillFile bill, std::vector<LoggedCall> calls, const BillMatchRules& rules) {
  // Calls in time order: "the earlier call" of a tie is the same whatever
  // order the logs gave them in.
  std::stable_sort(calls.begin(), calls.end(), [](const LoggedCall& a, const LoggedCall& b) { return a.start < b.start; });
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::size_t> callOfRow(bill.rows.size(), kNone);
  std::vector<bool> callTaken(calls.size(), false);
  for (const Candidate& candidate : candidatesOf(bill, calls, rules.startTolerance)) {
    if (callOfRow[candidate.row] != kNone || callTaken[candidate.call]) continue;
    callOfRow[candidate.row] = candidate.call;
    callTaken[candidate.call] = true;
  }

  BillCheck check;
  auto add = [&check](BillCheckEntry entry, std::int64_t billHundredths) {
    const auto kind = static_cast<std::size_t>(entry.kind);
    ++check.totals.count[kind];
    check.totals.billHundredths[kind] += billHundredths;
    check.totals.estimateHundredths[kind] += entry.estimateHundredths;
    check.entries.push_back(entry);
  };
  // The carrier a call is priced by: the row's, else the one asked for;
  // none where the settings do not price it.
  auto pricedBy = [&rules](const LoggedCall& call, std::optional<BillCarrier> rowCarrier) {
    const auto carrier = rowCarrier ? rowCarrier : rules.carrier;
    return carrier && call.carrierHundredths[static_cast<std::size_t>(*carrier)] ? carrier : std::nullopt;
  };
  for (std::size_t row = 0; row < bill.rows.size(); ++row) {
    const BillRow& billRow = bill.rows[row];
    BillCheckEntry entry;
    entry.kind = BillClass::BillOnly;
    entry.row = row;
    if (callOfRow[row] != kNone) {
      const LoggedCall& call = calls[callOfRow[row]];
      entry.call = callOfRow[row];
      entry.carrier = pricedBy(call, billRow.carrier);
      entry.estimateHundredths = call.estimate(entry.carrier);
      entry.kind = std::abs(billRow.yenHundredths - entry.estimateHundredths) < kChargeTolerance ? BillClass::Matched
                                                                                                  : BillClass::Differs;
    }
    add(entry, billRow.yenHundredths);
  }
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (callTaken[i]) continue;
    BillCheckEntry entry;
    entry.kind = BillClass::LogsOnly;
    entry.call = i;
    entry.carrier = pricedBy(calls[i], std::nullopt);
    entry.estimateHundredths = calls[i].estimate(entry.carrier);
    add(entry, 0);
  }
  // In the order of their beginning (a row's as the bill gives it), rows
  // before calls of the same second.
  auto orderKey = [&](const BillCheckEntry& entry) {
    const Moment start = entry.row ? bill.rows[*entry.row].start : calls[*entry.call].start;
    return std::make_tuple(start, entry.row.value_or(kNone), entry.call.value_or(kNone));
  };
  std::stable_sort(check.entries.begin(), check.entries.end(),
                   [&](const BillCheckEntry& a, const BillCheckEntry& b) { return orderKey(a) < orderKey(b); });
  check.bill = std::move(bill);
  check.calls = std::move(calls);
  return check;
}

}  // namespace zelk
