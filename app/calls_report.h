// zelk --calls: the calls of one stored month for a person, as JSON or as CSV.
#pragma once

#include <string>

#include "tariff/month_result.h"
#include "ui/model/month_calls.h"

namespace zelk {

// One line per call and a totals line, aligned, in UTF-8; only the columns
// that hold something for this month.
std::string callsText(const MonthResult& month, const MonthCalls& calls);

// {"title": ..., "calls": [...]} in UTF-8, ending in a line feed.
std::string callsJson(const MonthResult& month, const MonthCalls& calls);

}  // namespace zelk
