#include "run/calculation.h"

#include <algorithm>

#include "config/settings_lock.h"
#include "config/settings_rewrite.h"
#include "platform/clock.h"
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
#include "tariff/month_closing.h"

namespace zelk {
namespace {

int declaredLogCount(const Settings& settings) {
  return std::clamp<int>(settings.logCount, 0, static_cast<int>(kMaxLogs));
}

// Each month the run takes is closed, compared under every plan and stored;
// where a stored month began is bookmarked for its replay.
class StoredMonths final : public MonthVisitor {
 public:
  StoredMonths(LogMerge& merge, MonthRows& rows, const Pricing& pricing, RunTrail& trail, MonthList& months)
      : merge_(merge), rows_(rows), pricing_(pricing), trail_(trail), months_(months) {}

  // Every slot still holds its call: the month's first is about to be taken.
  bool monthBegins(const BillingPeriod& closing) override {
    if (months_.count < 0 || static_cast<std::size_t>(months_.count) >= kMaxStoredMonths) return true;
    MonthBookmark& mark = trail_.bookmarks.months[static_cast<std::size_t>(months_.count)].emplace();
    mark.openCount = merge_.openCount();
    for (int i = 0; i < mark.openCount; ++i) {
      const LogSource& slot = merge_.slot(i);
      mark.logs[static_cast<std::size_t>(i)] = {slot.declaration, slot.file.offset(), slot.call};
    }
    mark.period = closing;
    const ReplaceTables& tables = merge_.tables().tables;
    mark.areaSetSize = tables.areaSet.size();
    mark.unwritableNameCount = tables.unwritableNames.size();
    mark.nameReplaceCount = tables.nameReplaceCount;
    return true;
  }

  void takeCall(CallRecord& call, NumberTotals& row) override { rows_.add(call, row); }

  void monthEnds(const BillingPeriod& closing, const MonthRows& rows) override {
    if (static_cast<std::size_t>(months_.count) < kMaxStoredMonths)
      trail_.monthPeriods[static_cast<std::size_t>(months_.count)] = closing;
    closeMonth(closing, rows.table(), pricing_.plans, pricing_.origin, trail_.configuration.telehodai, months_);
  }

 private:
  LogMerge& merge_;
  MonthRows& rows_;
  const Pricing& pricing_;
  RunTrail& trail_;
  MonthList& months_;
};

// Taken before the logs are opened: a log that changes while the run reads
// it differs from its stamp afterwards, and its bookmarks are not trusted.
void stampLogs(RunTrail& trail, OldRecordsIndex& index) {
  const Configuration& configuration = trail.configuration;
  const int declared = declaredLogCount(configuration.settings);
  for (int i = 0; i < declared; ++i)
    trail.bookmarks.logStamps[i] = fileStampOf(logFilePath(configuration.settings.programDir, configuration.logs[i].path));
  index.logsDeclared(configuration.logs, declared);
}

// A first run on old logs keeps none of their months; the user is to learn
// the date that shows them.
std::optional<NewestCallBeforeWindow> newestCallBeforeWindow(const MonthList& months, const SkippedRecords& skipped,
                                                             int meterDay) {
  if (months.count > 0 || !skipped.newest) return std::nullopt;
  const auto closing = closingDateOf(*skipped.newest, meterDay);
  if (!closing) return std::nullopt;
  return NewestCallBeforeWindow{localDateOf(*skipped.newest), localDateOf(*closing)};
}

// The stored month that holds today, as RunSettings::unfinishedMonth.
int unfinishedMonthOf(const RunResult& result) {
  if (!result.currentMonth) return -1;
  for (int i = 0; i < result.months.count; ++i) {
    const auto& dates = result.monthDates[static_cast<std::size_t>(i)];
    if (dates && dates->closingDate == result.currentMonth->closingDate) return i;
  }
  return -1;
}

}  // namespace

void runCalculation(const RunRequest& request, RunResult& result) {
  result = RunResult{};
  MaDataFile maData(maDataPath(request.programDir));
  // Held until the rewrite at the end: a run that starts meanwhile reads the
  // file this run leaves, with whatever this run learned.
  std::optional<SettingsFileLock> settingsLock;
  if (request.writes == SettingsWrites::Allowed) settingsLock.emplace(request.programDir);
  auto trail = std::make_shared<RunTrail>();
  trail->configuration = readConfiguration(request.programDir, request.optionLines, maData, request.writes);
  result.trail = trail;
  const Configuration& configuration = trail->configuration;
  const Settings& settings = configuration.settings;
  const auto index =
      oldRecordsIndexFor(request.programDir, request.useIndex && request.writes == SettingsWrites::Allowed);

  stampLogs(*trail, *index);
  LearnedTables tables{configuration.tables};
  LogMerge merge(request.programDir, tables);
  merge.open(configuration.logs, settings.logCount);
  const Pricing pricing = pricingOf(configuration, maData);
  trail->start = startDate(today(), settings.meterDay, keptMonthsOf(settings));
  if (!trail->start) fatalExit(241, sjis("=l option不良"));
  result.currentMonth = billingMonthOf(today(), settings.meterDay);
  const BillingPeriod firstMonth = firstMonthOrFail(*trail->start, settings.meterDay);
  showOriginMa(settings, pricing.origin);

  const SkippedRecords skipped = skipOldCalls(merge, *trail->start, settings.meterDay, *index);
  MonthRows rows(settings, pricing.origin, maData, tables);
  StoredMonths stored(merge, rows, pricing, *trail, result.months);
  readMonths(merge, rows, firstMonth, settings.meterDay, stored);
  for (std::size_t i = 0; i < static_cast<std::size_t>(result.months.count); ++i) {
    if (const auto& closing = trail->monthPeriods[i])
      result.monthDates[i] = billingMonthDates(*closing, settings.meterDay);
  }
  result.newestCallBeforeWindow = newestCallBeforeWindow(result.months, skipped, settings.meterDay);
  trail->bookmarks.tablesAfterRun = tables.tables;

  if (tables.grew && request.writes == SettingsWrites::Allowed) rewriteSettingsAfterRun(configuration, tables.tables);
  index->runEnded();
  result.settings = RunSettings{settings, configuration.origin, configuration.telehodai};
  result.settings.unfinishedMonth = unfinishedMonthOf(result);
}

}  // namespace zelk
