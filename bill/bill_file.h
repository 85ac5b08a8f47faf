// A carrier's itemised bill as rows of calls: the file's header row says
// which column holds what; every other row that is no call (a subtotal, a
// note, a blank line) is counted and passed over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bill/bill_carrier.h"
#include "bill/bill_fields.h"
#include "bill/bill_text.h"

namespace zelk {

// A bill that cannot be read or whose header lacks a column ends with this
// code, as a bad command line does.
inline constexpr int kBadBillFile = 2;

struct BillRow {
  int line = 0;  // the file's line, from 1
  Moment start = 0;
  std::string number;  // digits only
  int seconds = 0;
  std::int64_t yenHundredths = 0;
  std::optional<BillCarrier> carrier;  // named by the row's carrier column
};

struct BillFile {
  std::vector<BillRow> rows;  // in file order
  int skippedRows = 0;        // rows after the header that are no call
  BillEncoding encoding = BillEncoding::Cp932;
  char separator = ',';
};

// The calls of a bill file's bytes. Throws FatalError (kBadBillFile) when no
// row names the columns a call needs; the message names the columns found
// and those needed.
BillFile readBill(std::string_view bytes);

// readBill of the file at `path` (UTF-8, as given); a file that cannot be
// read or is too large to be a bill ends the same way.
BillFile readBillFile(const std::string& path);

}  // namespace zelk
