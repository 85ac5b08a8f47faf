// The year summary for the command line: a table for a person (--summary),
// its JSON object, and the named plan fees and call list that --json gives
// each month besides the slot table.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "run/run_settings.h"
#include "run/calculation.h"
#include "tariff/month_result.h"

namespace zelk {

// Caption, months covered, then one line per plan ranked by total; the best
// plan is marked. UTF-8.
std::string summaryText(const RunResult& run);

// {"months", "plans": [{slot, caption, total, monthsCheapest, versusNormal}], "cheapest"}
nlohmann::ordered_json summaryJson(const RunResult& run);

// [{slot, caption, yen}] for the fee rows the main window shows for `result`, in window order.
nlohmann::ordered_json planFeesJson(const MonthResult& result, const RunSettings& settings);

// [{number, lateUnits, otherUnits}] from the month's call list.
nlohmann::ordered_json callListJson(const MonthResult& result);

}  // namespace zelk
