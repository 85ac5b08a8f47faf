// The skip phase: the records of every open log dated on or before the run's
// start, read only as far as a run must (their start, and the connection
// name, which is still learned), so that each slot holds its first call kept.
#pragma once

#include <optional>

#include "base/calendar.h"
#include "run/internal/log_merge.h"
#include "run/internal/old_records_index.h"

namespace zelk {

// What the records skipped leave behind for the rest of the run.
struct SkippedRecords {
  std::optional<CalendarTime> newest;  // the newest normalised date skipped
};

// Skips the old records of `merge`'s open logs (opened in declaration order),
// where `index` holds what a log's first records gave, from it.
SkippedRecords skipOldCalls(LogMerge& merge, const CalendarTime& start, int meterDay, OldRecordsIndex& index);

}  // namespace zelk
