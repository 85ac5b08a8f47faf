// The rows of the month being read: each call finds or makes the row of its
// number, is rated under every carrier and added to the row's sums. The run
// and the month replay both take their calls through it, so a replayed call
// is rated exactly as the run rated it.
#pragma once

#include "base/ma_lookup.h"
#include "base/ma_search.h"
#include "base/month_table.h"
#include "config/settings.h"
#include "run/internal/learned_tables.h"
#include "run/number.h"
#include "run/rated_call.h"

namespace zelk {

class MonthRows {
 public:
  // `origin` is the own MA with the Telechoice areas; `tables` learn the area
  // set entries that row resolution finds.
  MonthRows(const Settings& settings, const MaLookup& origin, MaSearch& maSearch, LearnedTables& tables);
  MonthRows(const MonthRows&) = delete;
  MonthRows& operator=(const MonthRows&) = delete;

  // No call of the month taken yet.
  bool empty() const { return table_.used == 0; }
  // The row of the call's number (the number may be replaced).
  NumberTotals& rowOf(CallRecord& call);
  // Rates the call and adds it to `row`. The call's fee becomes what the
  // month counts (the tariff's units under =f or when the log has none).
  RatedCall add(CallRecord& call, NumberTotals& row);

  const MonthTable& table() const { return table_; }
  // The month is closed: its rows are emptied for the next.
  void startNextMonth() { table_.clear(); }

 private:
  const Settings& settings_;
  MonthTable table_;
  MaLookup called_;  // scratch of the called-number search
  RowContext rows_;
};

// The NTT East/West units by the tariff beside a logged fee, which the run
// leaves out where it counts the logged fee: the per-call list shows both.
void addComputedUnits(RatedCall& rated);

}  // namespace zelk
