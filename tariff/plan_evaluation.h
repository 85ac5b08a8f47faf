// The plan comparison of one billing month: every plan the line can take is
// priced from the month's per-number sums, written into the month's result
// (and, for the current month, projected into the estimate), and the cheapest
// is returned.
#pragma once

#include <span>
#include <string>

#include "base/ma_lookup.h"
#include "base/month_table.h"
#include "base/telehodai_numbers.h"
#include "tariff/month_result.h"
#include "tariff/plan_offers.h"
#include "tariff/plan_settings.h"

namespace zelk {

// Prices the rows in use of `table` under every plan, writes fees
// and counts into `month` and, when `factor` is not 0, the projections into
// `estimate`; also writes the call lists. `origin` is the own MA with its
// Telechoice area list.
BestPlan evaluatePlans(const MonthTable& table, const PlanSettings& settings, const MaLookup& origin,
                       const TelehodaiNumbers& telehodai, float factor, MonthResult& month,
                       MonthResult& estimate);

// The month's call list: "%2d" with the row count, then ",number,late,rest"
// per row, most late-night units first; rest is NTT Com units for a number
// beyond the prefecture.
std::string callListText(std::span<const NumberTotals> rows);

// The estimate's call list: late and rest NTT East/West units times `factor`.
std::string projectedCallListText(std::span<const NumberTotals> rows, float factor);

}  // namespace zelk
