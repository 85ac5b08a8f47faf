#include "run/month_replay.h"

#include <algorithm>
#include <span>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "run/internal/log_merge.h"
#include "run/internal/month_reader.h"
#include "run/internal/month_rows.h"
#include "run/internal/old_calls_skip.h"
#include "run/internal/old_records_index.h"
#include "run/internal/run_start.h"
#include "run/internal/run_trail.h"
#include "tariff/ma_data.h"

namespace zelk {
namespace {

[[noreturn]] void failReplay() {
  fatalExit(kMonthNotReplayable,
            sjis("ログが計算のあとで変わったので、この月の通話明細は出せません(-_-)\nもう一度計算してください\n"));
}

// The months before the replayed one are only counted (the replay finds its
// month by the count); the replayed month's calls are handed out.
class ReplayedMonth final : public MonthVisitor {
 public:
  ReplayedMonth(int monthIndex, int monthsBefore, const RunTrail& trail, MonthRows& rows,
                const std::function<void(const RatedCall&)>& onCall)
      : monthIndex_(monthIndex), monthsRead_(monthsBefore), trail_(trail), rows_(rows), onCall_(onCall) {}

  // A log changed since the run may have moved its months, and the calls of
  // another month must never be listed under this month's title.
  bool monthBegins(const BillingPeriod& closing) override {
    if (monthsRead_ > monthIndex_) return false;
    if (monthsRead_ == monthIndex_) {
      const auto& stored = trail_.monthPeriods[static_cast<std::size_t>(monthIndex_)];
      if (!stored || *stored != closing) failReplay();
    }
    return true;
  }

  void takeCall(CallRecord& call, NumberTotals& row) override {
    if (monthsRead_ != monthIndex_) return;
    RatedCall rated = rows_.add(call, row);
    addComputedUnits(rated);
    onCall_(rated);
  }

  void monthEnds(const BillingPeriod&, const MonthRows&) override {
    if (static_cast<std::size_t>(monthsRead_) < kMaxStoredMonths) ++monthsRead_;
  }

  bool foundTheMonth() const { return monthsRead_ > monthIndex_; }

 private:
  int monthIndex_;
  int monthsRead_;
  const RunTrail& trail_;
  MonthRows& rows_;
  const std::function<void(const RatedCall&)>& onCall_;
};

// The bookmark of the month when the run ended and every log is as it was
// when the run opened it; nullptr otherwise.
const MonthBookmark* trustedBookmark(const RunTrail& trail, int monthIndex) {
  const RunBookmarks& bookmarks = trail.bookmarks;
  if (!bookmarks.tablesAfterRun) return nullptr;
  const auto& mark = bookmarks.months[static_cast<std::size_t>(monthIndex)];
  if (!mark) return nullptr;
  const Configuration& configuration = trail.configuration;
  const int declared = std::clamp<int>(configuration.settings.logCount, 0, static_cast<int>(kMaxLogs));
  for (int i = 0; i < declared; ++i) {
    const auto stamp = fileStampOf(logFilePath(configuration.settings.programDir, configuration.logs[i].path));
    if (!stamp || stamp != bookmarks.logStamps[i]) return nullptr;
  }
  return &*mark;
}

// The tables as they stood when the bookmarked month began: a run only adds
// to them, so the bookmark's sizes cut the run's final tables back.
ReplaceTables tablesAt(const MonthBookmark& mark, const ReplaceTables& tablesAfterRun) {
  ReplaceTables tables = tablesAfterRun;
  tables.areaSet.truncate(mark.areaSetSize);
  tables.unwritableNames.resize(mark.unwritableNameCount);
  tables.nameReplaceCount = mark.nameReplaceCount;
  return tables;
}

}  // namespace

void replayMonth(const RunResult& run, int monthIndex, const std::function<void(const RatedCall&)>& onCall) {
  if (!run.trail || monthIndex < 0 || static_cast<std::size_t>(monthIndex) >= kMaxStoredMonths) failReplay();
  const RunTrail& trail = *run.trail;
  const Configuration& configuration = trail.configuration;
  const Settings& settings = configuration.settings;
  MaDataFile maData(maDataPath(settings.programDir));
  const MonthBookmark* mark = trustedBookmark(trail, monthIndex);
  LearnedTables tables{configuration.tables};
  LogMerge merge(settings.programDir, tables);
  // Every log a trusted bookmark leaves out had ended before its month.
  const bool resumed = mark && merge.openAt(std::span(mark->logs.data(), static_cast<std::size_t>(mark->openCount)));
  if (!resumed) merge.open(configuration.logs, settings.logCount);
  const Pricing pricing = pricingOf(configuration, maData);
  // A replay lists a month of the run, whatever day it is now.
  if (!trail.start) failReplay();
  BillingPeriod closing = firstMonthOrFail(*trail.start, settings.meterDay);
  showOriginMa(settings, pricing.origin);

  int monthsBefore = 0;
  if (resumed) {
    tables.tables = tablesAt(*mark, *trail.bookmarks.tablesAfterRun);
    monthsBefore = monthIndex;
    closing = mark->period;
  } else {
    NoOldRecordsIndex noIndex;
    skipOldCalls(merge, *trail.start, settings.meterDay, noIndex);
  }
  MonthRows rows(settings, pricing.origin, maData, tables);
  ReplayedMonth replayed(monthIndex, monthsBefore, trail, rows, onCall);
  readMonths(merge, rows, closing, settings.meterDay, replayed);
  if (!replayed.foundTheMonth()) failReplay();
}

}  // namespace zelk
