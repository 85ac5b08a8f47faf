// The outcome of a bill check as a table, the same for every view: the
// command line's text and CSV, and the window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "bill/bill_match.h"

namespace zelk {

// "matched", "differs", "billOnly", "logsOnly": the names scripts read.
std::string_view billClassKey(BillClass kind);
// 一致, 金額違い, 請求書のみ, ログのみ (CP932).
const std::string& billClassCaption(BillClass kind);

enum class BillCheckColumn {
  Class, Line, BillStart, Number, BillSeconds, BillYen, CallStart, CallSeconds, EstimateYen, Difference, PricedBy,
};
inline constexpr std::size_t kBillCheckColumnCount = 11;
extern const std::array<BillCheckColumn, kBillCheckColumnCount> kBillCheckColumns;

const std::string& billCheckCaption(BillCheckColumn column);  // CP932
bool isNumeric(BillCheckColumn column);                        // right-aligned
// The cell's text (CP932); "" where the entry has no such value (the call
// of a row that is on the bill only).
std::string billCheckCell(const BillCheck& check, const BillCheckEntry& entry, BillCheckColumn column);

// Hundredths of a yen as yen: "1234", "12.5", "-0.25".
std::string yenText(std::int64_t hundredths);

// The difference the bill makes: its yen minus the estimate's.
std::int64_t differenceOf(const BillCheck& check, const BillCheckEntry& entry);

// Per class and in all: rows, the bill's yen and the estimate's (CP932 lines).
std::string billTotalsText(const BillTotals& totals);

// The table as CSV: UTF-8 with a byte-order mark, CR LF, a header line.
std::string billCheckCsv(const BillCheck& check);

}  // namespace zelk
