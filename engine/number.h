// Where a call goes: the distance band and prefecture flag of a called number,
// its row in the month table, and the Telechoice target areas.
#pragma once

#include <string_view>

#include "config/settings.h"
#include "engine/distance_band.h"
#include "engine/month_table.h"
#include "logs/log_source.h"
#include "tariff/ma_lookup.h"
#include "tariff/ma_search.h"

namespace zelk {

// InArea when the number has no leading 0 or begins (after the 0) with one of
// the origin's prefixes; Adjacent when it begins with an adjacent prefix;
// Undetermined otherwise.
DistanceBand originBand(std::string_view number, const MaLookup& origin);

// The band of the called MA by its distance from the origin's coordinates;
// UnknownDistance when no MA was found.
DistanceBand distanceBand(const MaLookup& called, int originX, int originY);

// True when the number begins with "0" and the rest with a prefix of the
// origin's Telechoice area list.
bool isTelechoiceTarget(std::string_view number, const MaLookup& origin);

// Everything row resolution reads and may change.
struct RowContext {
  MonthTable& table;
  Settings& settings;        // numberCount, dirty
  ReplaceTables& tables;     // numberReplace, areaSet
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
