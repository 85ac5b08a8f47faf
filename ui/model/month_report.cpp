#include "ui/model/month_report.h"

#include "ui/model/month_browser.h"

namespace zelk {

MonthReport reportDisplay(const MonthDisplay& display, const RunSettings& settings) {
  MonthReport report;
  report.windowCaption = display.windowCaption();
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const MainRow& row = mainRows()[i];
    if (rowInUse(row, settings)) report.rows.push_back({rowCaption(row, settings), display.value(i)});
  }
  report.cheapestShown = !kHideCheapestPlan.isSet(settings);
  report.cheapestCaption = cheapestPlanCaption();
  report.cheapestPlan = display.cheapestPlan();
  report.callListShown = !kHideCallList.isSet(settings);
  report.callListHeader = callListHeader();
  report.callList = display.callList();
  return report;
}

MonthReport reportMonth(const MonthResult& month, const RunSettings& settings) {
  MonthDisplay display;
  display.show(month, settings);
  return reportDisplay(display, settings);
}

MonthReport reportEstimate(const MonthList& months, const RunSettings& settings) {
  MonthResult estimate = months.estimate;
  estimate.title = estimateLabel();
  return reportMonth(estimate, settings);
}

}  // namespace zelk
