// Where a call goes: the distance band and prefecture flag of a called number,
// its row in the month table, and the Telechoice target areas.
#pragma once

#include "base/distance_band.h"
#include "base/log_source.h"
#include "base/ma_lookup.h"
#include "base/ma_search.h"
#include "base/month_table.h"
#include "config/settings.h"

namespace zelk {

// Everything row resolution reads and may change.
struct RowContext {
  MonthTable& table;
  ReplaceTables& tables;     // numberReplace, areaSet
  bool& tablesGrew;          // set when the area set gains a number to correct
  const MaLookup& origin;
  MaLookup& called;          // scratch of the called-number search
  MaSearch& maSearch;
};

// Finds or creates the month-table row of the call's number (the number may
// be replaced); returns the row index.
int resolveRow(CallRecord& call, RowContext& context);

// Adds the Telechoice target MAs to the origin's area list.
void registerTelechoiceAreas(const Settings& settings, MaLookup& origin, MaSearch& maSearch);

}  // namespace zelk
