// A carrier's bill is a file the user picks: any bytes, any encoding, any
// spreadsheet's idea of a CSV. Whatever its bytes:
// - reading it ends with the bill's own failure (exit code 2) or rows whose
//   numbers are digits only, in the file's order of lines;
// - held against calls made from its own rows (some moved within the
//   tolerance, some beyond it, one more call than rows), the check names
//   every row and every call exactly once, its totals count its entries,
//   and every cell of the check's table can be written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "bill/bill_check_table.h"
#include "bill/bill_file.h"
#include "bill/bill_match.h"
#include "platform/messages.h"

namespace {

using namespace zelk;

[[noreturn]] void finding() { std::abort(); }

void checkRows(const BillFile& bill) {
  int line = 0;
  for (const BillRow& row : bill.rows) {
    if (row.line <= line) finding();
    line = row.line;
    for (char c : row.number)
      if (c < '0' || c > '9') finding();
  }
  if (bill.skippedRows < 0) finding();
}

// A call for each row, the n-th moved by n * 37 seconds (beyond the
// tolerance from the fourth on), and one the bill does not list.
std::vector<LoggedCall> callsOf(const BillFile& bill) {
  std::vector<LoggedCall> calls;
  std::int64_t shift = 0;
  for (const BillRow& row : bill.rows) {
    LoggedCall call;
    call.start = row.start + shift;
    call.number = row.number;
    call.seconds = row.seconds;
    call.countedHundredths = row.yenHundredths;
    calls.push_back(call);
    shift += 37;
  }
  calls.push_back(LoggedCall{});
  return calls;
}

void checkMatch(const BillFile& bill) {
  const std::size_t rowCount = bill.rows.size();
  std::vector<LoggedCall> calls = callsOf(bill);
  const std::size_t callCount = calls.size();
  const BillCheck check = matchBill(bill, std::move(calls), BillMatchRules{});
  std::vector<int> rowSeen(rowCount), callSeen(callCount);
  for (const BillCheckEntry& entry : check.entries) {
    if (entry.row && (*entry.row >= rowCount || ++rowSeen[*entry.row] > 1)) finding();
    if (entry.call && (*entry.call >= callCount || ++callSeen[*entry.call] > 1)) finding();
    if (!entry.row && !entry.call) finding();
    for (BillCheckColumn column : kBillCheckColumns) (void)billCheckCell(check, entry, column);
  }
  for (int seen : rowSeen)
    if (seen != 1) finding();
  for (int seen : callSeen)
    if (seen != 1) finding();
  int counted = 0;
  for (int count : check.totals.count) counted += count;
  if (counted != static_cast<int>(check.entries.size())) finding();
  (void)billTotalsText(check.totals);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  BillFile bill;
  try {
    bill = readBill(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const FatalError& error) {
    if (error.code() != kBadBillFile) finding();
    return 0;
  }
  checkRows(bill);
  checkMatch(bill);
  return 0;
}
