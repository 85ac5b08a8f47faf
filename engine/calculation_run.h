// The calculation run: settings and command-line options, the logs merged by
// date, every call priced into the month table, each finished month handed to
// the month closing. One run per process.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "engine/month_table.h"
#include "logs/log_source.h"
#include "tariff/ma_lookup.h"
#include "tariff/ma_search.h"
#include "tariff/month_result.h"

namespace zelk {

// The newest call of a run whose logs held calls only before the months kept:
// its date, and the closing date of its billing month (the day to give as
// today to see the months up to it).
struct NewestCallBeforeWindow {
  LocalDate date;
  LocalDate closingDate;
};

class CalculationRun {
 public:
  // `programDir` ends in "/"; each option line is applied after zelk.cfg.
  CalculationRun(std::string programDir, std::vector<std::string> optionLines);

  // Runs the whole calculation. Fatal conditions throw FatalError; what was
  // computed until then stays readable.
  void run();

  // The stored months and the estimate of the current month.
  const MonthList& monthList() const { return months_; }
  // The settings as handed over to the main window at the end of the run.
  const Settings& handedOverSettings() const { return handedOver_; }
  // The live settings record (estimateFactor as it stands, also after a fatal end).
  const Settings& settings() const { return settings_; }
  // Set when the run produced no month although its logs held calls, all of
  // them on or before the start date.
  const std::optional<NewestCallBeforeWindow>& newestCallBeforeWindow() const { return newestCallBeforeWindow_; }

 private:
  void skipOldCalls(const CalendarTime& start);
  void mergeCalls(BillingPeriod period, MaSearch& maData);
  void closeMonthIfAny(const BillingPeriod& period);
  void accumulateCall(CallRecord& call, NumberTotals& row);
  void noteNewestCallBeforeWindow();

  std::string programDir_;
  std::vector<std::string> optionLines_;
  Settings settings_;
  ReplaceTables tables_;
  TelehodaiNumbers telehodai_;
  MaLookup origin_;
  MaLookup called_;
  LogSlots slots_;
  MonthTable table_;
  MonthList months_;
  Settings handedOver_;
  std::optional<CalendarTime> newestSkipped_;
  std::optional<NewestCallBeforeWindow> newestCallBeforeWindow_;
};

}  // namespace zelk
