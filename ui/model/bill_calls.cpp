#include "ui/model/bill_calls.h"

namespace zelk {

LoggedCall loggedCallOf(const CallLine& line) {
  LoggedCall call;
  const auto start = parseBillDate(line.start);  // "YYYY-MM-DD HH:MM:SS"
  call.start = start ? start->midnight + start->secondOfDay.value_or(0) : 0;
  call.number = line.number;
  call.seconds = line.seconds;
  // What the month's normal charge adds up for the call: NTT Com carries a
  // number outside the prefecture.
  call.countedHundredths = std::int64_t{line.outOfPrefecture ? line.comUnits : line.feeUnits} * 1000;
  auto priced = [&call](BillCarrier carrier) -> auto& {
    return call.carrierHundredths[static_cast<std::size_t>(carrier)];
  };
  if (line.nttUnits >= 0) priced(BillCarrier::Ntt) = std::int64_t{line.nttUnits} * 1000;
  priced(BillCarrier::Com) = std::int64_t{line.comUnits} * 1000;
  if (line.carrierReducedTenths)
    priced(BillCarrier::QTNet) = std::int64_t{*line.carrierReducedTenths} * 10;
  else if (line.carrierTenths)
    priced(BillCarrier::TTNet) = std::int64_t{*line.carrierTenths} * 10;
  if (line.kddiHundredths) priced(BillCarrier::Kddi) = *line.kddiHundredths;
  return call;
}

std::vector<LoggedCall> loggedCallsOf(const MonthCalls& calls) {
  std::vector<LoggedCall> logged;
  logged.reserve(calls.calls.size());
  for (const CallLine& line : calls.calls) logged.push_back(loggedCallOf(line));
  return logged;
}

BillCheck checkBill(const std::string& path, const MonthCalls& calls, const BillMatchRules& rules) {
  return matchBill(readBillFile(path), loggedCallsOf(calls), rules);
}

}  // namespace zelk
