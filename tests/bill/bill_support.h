// Bills written from the per-call view, the way a carrier's download lays
// them out, for the bill check's tests.
#pragma once

#include <string>
#include <vector>

#include "ui/model/month_calls.h"

namespace zelk::test {

// One row of a bill, as the cells read (UTF-8).
struct BillLine {
  std::string date;      // "2001/03/05"
  std::string time;      // "10:04:31"
  std::string number;
  std::string duration;  // "00:04:12"
  std::string charge;    // "120"
  std::string carrier;   // "" when the bill has no carrier column
};

// The bill of the calls: their start, number and length, and the yen the
// month counts for each (計上度数 × 10, NTT Com's units outside the prefecture).
std::vector<BillLine> billLinesOf(const MonthCalls& calls);

enum class BillBytes { Cp932, Utf8, Utf8WithMark };

// The header and the lines, each cell quoted when it holds the separator,
// lines ending in CR LF; a carrier column when a line names a carrier.
std::string billFileOf(const std::vector<BillLine>& lines, char separator = ',', BillBytes bytes = BillBytes::Cp932);

}  // namespace zelk::test
