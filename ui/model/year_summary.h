// The stored months side by side: what every plan the main window shows
// would have cost over the whole period, how often it was the month's
// cheapest, and the same months as CSV rows. The estimate of the current
// month is not part of it; the current month's calls so far are, counted
// like a finished month (the window says so). Texts are CP932 unless said
// otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "run/run_settings.h"
#include "tariff/month_result.h"

namespace zelk {

// A fee row of the main window that the period can be compared on: in use
// for the settings and written by every stored month (a plan that a month
// did not evaluate has no total).
struct PlanColumn {
  std::size_t rowIndex;  // into mainRows()
  ResultSlot slot;
  std::string caption;
};

std::vector<PlanColumn> comparablePlans(const MonthList& months, const RunSettings& settings);

struct PlanTotal {
  ResultSlot slot = ResultSlot::NormalFee;
  std::string caption;
  std::int64_t total = 0;         // yen over the period
  int monthsCheapest = 0;         // months in which no listed plan cost less (ties count for each)
  std::int64_t versusNormal = 0;  // total minus the 通常料金 total; negative saves
};

// One month of the chart.
struct MonthBars {
  std::string title;
  std::uint32_t normal = 0;       // 通常料金
  std::uint32_t periodBest = 0;   // the period's cheapest plan in this month
  ResultSlot monthBestSlot = ResultSlot::NormalFee;  // this month's cheapest plan (first in window order on a tie)
  std::string monthBestCaption;
  std::uint32_t monthBest = 0;
  bool unfinished = false;  // today's month: its calls so far
};

struct YearSummary {
  int months = 0;
  std::vector<PlanTotal> plans;  // ranked by total, window order on a tie; empty without months
  std::vector<MonthBars> bars;   // oldest first
  int unfinishedMonth = -1;      // the bar of today's month; -1: none
  // The first of `plans` and what it saves against 通常料金 over the period.
  const PlanTotal* cheapest() const { return plans.empty() ? nullptr : &plans.front(); }
  std::int64_t saving() const { return plans.empty() ? 0 : -plans.front().versusNormal; }
};

YearSummary summarizeYear(const MonthList& months, const RunSettings& settings);

// "2000-09-15" from a month title "2000年 9月15日〆分"; the title itself
// (as UTF-8) when it does not read as one.
std::string closingDateOfTitle(const std::string& title);

// Every stored month as one row: the closing date, then the fee of each
// comparable plan; the header line holds the row captions. UTF-8 with a
// byte-order mark and CR LF line ends, as spreadsheets expect.
std::string yearCsv(const MonthList& months, const RunSettings& settings);

}  // namespace zelk
