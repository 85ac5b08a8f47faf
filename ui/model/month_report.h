// A month laid out like the main window, for the command line: the rows in
// use in their order with caption and value, the cheapest plan and the call
// list. Texts are CP932.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "run/run_settings.h"
#include "tariff/month_result.h"
#include "ui/model/month_display.h"

namespace zelk {

struct ReportRow {
  std::string caption;
  std::string value;  // empty when the month did not write the row
};

struct MonthReport {
  std::string windowCaption;
  std::vector<ReportRow> rows;
  bool cheapestShown = false;
  std::string cheapestCaption;  // "最適プラン"
  std::string cheapestPlan;
  bool callListShown = false;
  std::array<std::string, 3> callListHeader;
  std::vector<CallListRow> callList;
};

// The rows of a display as it stands (labels keep texts of earlier months).
MonthReport reportDisplay(const MonthDisplay& display, const RunSettings& settings);

// One month on a fresh window.
MonthReport reportMonth(const MonthResult& month, const RunSettings& settings);

// The estimate of the current month on a fresh window, titled "今月推計".
MonthReport reportEstimate(const MonthList& months, const RunSettings& settings);

}  // namespace zelk
