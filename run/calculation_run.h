// The calculation run: settings and command-line options, the logs merged by
// date, every call priced into the month table, each finished month handed to
// the month closing. One run per process.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/log_source.h"
#include "base/ma_lookup.h"
#include "base/ma_search.h"
#include "base/month_table.h"
#include "config/settings.h"
#include "config/settings_reader.h"
#include "run/internal/month_bookmark.h"
#include "run/internal/old_records_index.h"
#include "run/run_settings.h"
#include "run/rated_call.h"
#include "tariff/month_result.h"
#include "tariff/running_clock.h"
#include "tariff/plan_settings.h"

namespace zelk {

class MaDataFile;

// The newest call of a run whose logs held calls only before the months kept:
// its date, and the closing date of its billing month (the day to give as
// today to see the months up to it).
struct NewestCallBeforeWindow {
  LocalDate date;
  LocalDate closingDate;
};

// What a run worked from once zelk.cfg and the option lines were read, and
// where it stood as each stored month began. A replay starts from it,
// whatever the run wrote back to zelk.cfg afterwards (a log given on the
// command line is in the rewritten file, and would be read twice by a run
// that read the file again with the same options).
struct RunInputs {
  Settings settings;
  ReplaceTables tables;
  LogDeclarations logs;
  TelehodaiNumbers telehodai;
  MaLookup origin;
  RunBookmarks bookmarks;
  // The run's own start date and the closing date of each stored month: a
  // replay counts its months from them, not from today, and lists a month
  // only when its closing date is the stored one.
  std::optional<CalendarTime> start;
  std::array<std::optional<BillingPeriod>, kMaxStoredMonths> monthPeriods;
};

// A replay that cannot find its month any more (the logs changed since the
// run so that the month is not where the run had it) ends with this code.
inline constexpr int kMonthNotReplayable = 3;

class CalculationRun {
 public:
  // `programDir` ends in "/"; each option line is applied after zelk.cfg.
  // Without `useIndex` (or with ZELK_NO_INDEX=1) the index of the logs' old
  // records is neither read nor written. With SettingsWrites::None the run
  // writes nothing at all: no zelk.cfg, backup, lock file or index; what it
  // learns is shown as usual and then forgotten.
  CalculationRun(std::string programDir, std::vector<std::string> optionLines, bool useIndex = true,
                 SettingsWrites writes = SettingsWrites::Allowed);
  // A run for replayMonth, from the inputs of a run that ran.
  explicit CalculationRun(const RunInputs& inputs);

  // Runs the whole calculation. Fatal conditions throw FatalError; what was
  // computed until then stays readable.
  void run();

  // On an object made from RunInputs: reads and rates the logs again for
  // stored month `monthIndex` only (0 is the oldest) and hands each of its
  // calls, in the order the run took them, to `onCall` as rated. Months are
  // not evaluated and zelk.cfg is neither read nor written; reading starts
  // at the month's bookmark (from the start of the logs when the logs
  // changed since the run) and stops after the month. Throws FatalError
  // (kMonthNotReplayable) when the month read again does not close on the
  // stored month's closing date: no call of another month is handed out.
  void replayMonth(int monthIndex, std::function<void(const RatedCall&)> onCall);

  // The inputs of the run, set once it has read its settings.
  const RunInputs& inputs() const { return inputs_; }

  // The stored months and the estimate of the current month.
  const MonthList& monthList() const { return months_; }
  // The settings as handed over to the main window at the end of the run.
  const RunSettings& handedOverSettings() const { return handedOver_; }
  // Set when the run produced no month although its logs held calls, all of
  // them on or before the start date.
  const std::optional<NewestCallBeforeWindow>& newestCallBeforeWindow() const { return newestCallBeforeWindow_; }

 private:
  void skipOldCalls(const CalendarTime& start);
  void noteSkippedDate(const CalendarTime& date);
  void startFromIndex(int log, LogSource& slot);
  void stampLogs();
  void bookmarkMonth(const BillingPeriod& period);
  const MonthBookmark* trustedBookmark(int monthIndex) const;
  bool resumeAt(const MonthBookmark& mark, int monthIndex, BillingPeriod& period);
  void mergeCalls(BillingPeriod period, MaSearch& maData);
  void closeMonthIfAny(const BillingPeriod& period);
  void checkReplayedMonth(const BillingPeriod& period);
  void execute(MaDataFile& maData);
  void readSettings(MaDataFile& maData);
  RatedCall rateCall(CallRecord& call, const NumberTotals& row, const RunningClock& start) const;
  void accumulateCall(CallRecord& call, NumberTotals& row);
  void noteNewestCallBeforeWindow();

  std::string programDir_;
  std::vector<std::string> optionLines_;
  Settings settings_;
  PlanSettings planSettings_;
  int openCount_ = 0;        // logs not yet at their end
  bool tablesGrew_ = false;  // a name or a number was learned: zelk.cfg is rewritten
  ReplaceTables tables_;
  TelehodaiNumbers telehodai_;
  MaLookup origin_;
  MaLookup called_;
  LogSlots slots_;
  MonthTable table_;
  MonthList months_;
  RunSettings handedOver_;
  std::optional<CalendarTime> newestSkipped_;
  // The index of the logs' old records: used by run(), never by a replay.
  bool useIndex_ = true;
  SettingsWrites writes_ = SettingsWrites::Allowed;
  std::unique_ptr<OldRecordsIndex> index_ = std::make_unique<NoOldRecordsIndex>();
  std::optional<NewestCallBeforeWindow> newestCallBeforeWindow_;
  RunInputs inputs_;
  // Set by replayMonth: the month whose calls go to onCall_.
  std::optional<int> replayedMonth_;
  std::function<void(const RatedCall&)> onCall_;
};

}  // namespace zelk
