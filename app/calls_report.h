// zelk --calls: the calls of one stored month for a person, as JSON or as CSV.
#pragma once

#include <string>

#include "platform/messages.h"
#include "tariff/month_result.h"
#include "ui/model/month_calls.h"

namespace zelk {

// One line per call and a totals line, aligned, in UTF-8; only the columns
// that hold something for this month.
std::string callsText(const MonthResult& month, const MonthCalls& calls);

// {"title": ..., "calls": [...], "fatal": null, "schemaVersion": ...} in
// UTF-8, ending in a line feed.
std::string callsJson(const MonthResult& month, const MonthCalls& calls);

// The same object for a run or a replay that a fatal condition ended: no
// title, no call, and the condition in "fatal".
std::string callsFatalJson(const FatalError& fatal);

}  // namespace zelk
