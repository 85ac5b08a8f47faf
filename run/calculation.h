// The calculation run: zelk.cfg and the option lines read into a
// configuration, the logs merged by date, the records before the months kept
// skipped, every call of those months priced into its month, and each month
// closed and compared under every plan. A run is a function of its request:
// it starts from nothing and leaves all it found in its result.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/calendar.h"
#include "config/settings_reader.h"
#include "run/run_settings.h"
#include "tariff/month_result.h"

namespace zelk {

// The newest call of a run whose logs held calls only before the months kept:
// its date, and the closing date of its billing month (the day to give as
// today to see the months up to it).
struct NewestCallBeforeWindow {
  LocalDate date;
  LocalDate closingDate;
};

struct RunRequest {
  std::string programDir;                // ends in "/"
  std::vector<std::string> optionLines;  // each applied after zelk.cfg, in order
  // Without it (or with ZELK_NO_INDEX=1) the index of the logs' old records
  // is neither read nor written.
  bool useIndex = true;
  // With SettingsWrites::None the run writes nothing at all: no zelk.cfg,
  // backup, lock file or index; what it learns is shown as usual and then
  // forgotten.
  SettingsWrites writes = SettingsWrites::Allowed;
};

// Where a run stood as each stored month began; read by replayMonth only.
struct RunTrail;

struct RunResult {
  // The stored months and the estimate of the current month.
  MonthList months;
  // The settings as handed over to the windows and reports at the end of the
  // run (empty when it did not end).
  RunSettings settings;
  // Set when the run produced no month although its logs held calls, all of
  // them on or before the start date.
  std::optional<NewestCallBeforeWindow> newestCallBeforeWindow;
  // The first and last day of each stored month, as months.months; unset
  // only for a month whose month before the calendar cannot hold.
  std::array<std::optional<BillingMonthDates>, kMaxStoredMonths> monthDates;
  // The billing month of today, the one the estimate projects; set once the
  // run has read its settings.
  std::optional<BillingMonthDates> currentMonth;
  // Set once the run has read its configuration.
  std::shared_ptr<const RunTrail> trail;
};

// Runs the whole calculation into `result`, which it empties first. Fatal
// conditions throw FatalError; what was computed until then stays in
// `result`.
void runCalculation(const RunRequest& request, RunResult& result);

}  // namespace zelk
