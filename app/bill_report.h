// zelk --bill: the bill held against the month's calls, for a person, as JSON
// or as CSV.
#pragma once

#include <string>

#include "bill/bill_match.h"
#include "platform/messages.h"
#include "tariff/month_result.h"

namespace zelk {

// The exit status of a check: everything on the bill and in the logs agrees.
inline constexpr int kBillAgrees = 0;
// Some row or call is not matched or not charged as estimated.
inline constexpr int kBillDiffers = 1;

// One line per row and per call not on the bill, aligned, then the totals
// of each class; UTF-8.
std::string billText(const MonthResult& month, const BillCheck& check);

// {"title", "summary", "rows", "fatal", "schemaVersion"} in UTF-8, ending
// in a line feed (docs/zelk-bill.schema.json).
std::string billJson(const MonthResult& month, const BillCheck& check, const BillMatchRules& rules);

// The same object for a check that a fatal condition ended (a bad bill, a
// failed run or replay): no title, summary or row, the condition in "fatal".
std::string billFatalJson(const FatalError& fatal);

}  // namespace zelk
