// Choosing the month the main window shows: the view menu with one item per
// stored month, previous and next, and the estimate of the current month.
#pragma once

#include <array>
#include <string>

#include "run/run_settings.h"
#include "tariff/month_result.h"
#include "ui/model/month_display.h"

namespace zelk {

struct ViewMenuItem {
  std::string caption;  // the month label (CP932)
  bool visible = false;
};

class MonthBrowser {
 public:
  // `months` and `settings` as the calculation handed them over.
  MonthBrowser(const MonthList& months, const RunSettings& settings);

  // Fills the view menu from the stored months and shows the newest one;
  // with the estimate setting the estimate item and button appear.
  void buildViewMenu();

  // Each returns true when the display changed (the view redraws).
  bool previousMonth();
  bool nextMonth();
  bool selectMonth(int itemNumber);  // Menu_log01 is 1
  // Without an estimate factor (the day of the meter reading) it shows
  // "今日は〆日。最新データと一緒だよ(^0^)/" and nothing changes.
  bool showEstimate();

  int currentMonthIndex() const { return currentMonthIndex_; }
  bool estimateShown() const { return estimateShown_; }
  bool estimateAvailable() const { return estimateAvailable_; }  // Menu_Navi, Menu_NaviLine, TB_Estmation
  const std::array<ViewMenuItem, kMaxStoredMonths>& viewMenu() const { return viewMenu_; }
  const MonthDisplay& display() const { return display_; }
  const MonthList& months() const { return months_; }
  const RunSettings& settings() const { return settings_; }

 private:
  int count() const;
  void showCurrent();

  MonthList months_;
  RunSettings settings_;
  MonthDisplay display_;
  std::array<ViewMenuItem, kMaxStoredMonths> viewMenu_{};
  int currentMonthIndex_ = 0;
  bool estimateShown_ = false;
  bool estimateAvailable_ = false;
};

// "今月推計" (CP932), the estimate's month label.
std::string estimateLabel();

}  // namespace zelk
