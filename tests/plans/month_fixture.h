// A month built by hand for the plan tests: rows are written with designated
// initializers naming only the sums a test needs.
#pragma once

#include <string>

#include "base/ma_lookup.h"
#include "base/month_table.h"
#include "tariff/month_result.h"
#include "tariff/plan_evaluation.h"

namespace zelk::test {

inline constexpr auto kInArea = DistanceBand::InArea;
inline constexpr auto kAdjacent = DistanceBand::Adjacent;
inline constexpr auto kFar = DistanceBand::Beyond170km;

struct MonthFixture {
  MonthTable table;
  PlanSettings settings;
  MaLookup origin;
  TelehodaiNumbers telehodai;
  MonthResult month;
  MonthResult estimate;

  void add(const NumberTotals& row) {
    table.rowAt(table.used++) = row;
  }
  // An own MA with one prefix and, when asked, one adjacent MA.
  void knownOrigin(bool withAdjacent) {
    origin.name = "own";
    origin.prefixes = {"92"};
    if (withAdjacent) origin.adjacentPrefixes = {"93"};
  }
  BestPlan evaluate(float factor = 0.0f) {
    return evaluatePlans(table, settings, origin, telehodai, factor, month, estimate);
  }
};

}  // namespace zelk::test
