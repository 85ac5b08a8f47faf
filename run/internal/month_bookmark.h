// Where a run stood as each of its stored months began, so that the calls of
// one month can be read again without reading and rating the years before it.
// A bookmark holds a few hundred bytes, whatever the size of the logs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/calendar.h"
#include "base/log_source.h"
#include "base/replace_tables.h"
#include "platform/regular_file.h"
#include "tariff/month_result.h"

namespace zelk {

// An open log as the month began: the call its slot held (read, not yet
// taken) and where the line after that call starts.
struct SlotBookmark {
  LogDeclaration declaration;
  std::uint64_t nextLine = 0;
  CallRecord call;
};

struct MonthBookmark {
  // In slot order: the merge takes the first of the calls of one day.
  std::array<SlotBookmark, kMaxLogs> logs;
  int openCount = 0;
  BillingPeriod period;  // the closing date of the month
  // A run only adds to these tables, so their sizes say how they stood.
  std::size_t areaSetSize = 0;
  std::size_t unwritableNameCount = 0;
  std::int16_t nameReplaceCount = 0;
};

struct RunBookmarks {
  // Each declared log as it was before the run opened it: a log that changed
  // since makes the bookmarks worthless.
  std::array<std::optional<FileStamp>, kMaxLogs> logStamps;
  std::array<std::optional<MonthBookmark>, kMaxStoredMonths> months;
  // The tables as the run left them, set once it ended; a bookmark's sizes
  // cut them back to the start of its month.
  std::optional<ReplaceTables> tablesAfterRun;
};

}  // namespace zelk
