#include "ui/model/month_browser.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {

std::string estimateLabel() { return sjis("今月推計"); }

MonthBrowser::MonthBrowser(const MonthList& months, const RunSettings& settings)
    : months_(months), settings_(settings) {}

int MonthBrowser::count() const {
  return std::clamp<int>(months_.count, 0, static_cast<int>(kMaxStoredMonths));
}

void MonthBrowser::showCurrent() {
  estimateShown_ = false;
  display_.show(months_.months[static_cast<std::size_t>(currentMonthIndex_)], settings_);
}

void MonthBrowser::buildViewMenu() {
  for (int i = 0; i < count(); ++i) {
    viewMenu_[static_cast<std::size_t>(i)] = {months_.months[static_cast<std::size_t>(i)].title, true};
  }
  // The main window is only shown with at least one month; without one there
  // is nothing to show.
  if (count() > 0) {
    currentMonthIndex_ = count() - 1;
    showCurrent();
  }
  if (settings_.estimate) {
    estimateAvailable_ = true;
    months_.estimate.title = estimateLabel();
  }
}

bool MonthBrowser::previousMonth() {
  if (--currentMonthIndex_ < 0) {
    currentMonthIndex_ = 0;
    return false;
  }
  showCurrent();
  return true;
}

bool MonthBrowser::nextMonth() {
  if (++currentMonthIndex_ < count()) {
    showCurrent();
    return true;
  }
  currentMonthIndex_ = std::max(count() - 1, 0);
  return false;
}

bool MonthBrowser::selectMonth(int itemNumber) {
  if (itemNumber < 1 || itemNumber > count()) return false;
  currentMonthIndex_ = itemNumber - 1;
  showCurrent();
  return true;
}

bool MonthBrowser::showEstimate() {
  if (!estimateAvailable_) return false;
  if (months_.estimateFactor == 0.0f) {
    showMessage(sjis("今日は〆日。最新データと一緒だよ(^0^)/"), MessageKind::Notice);
    return false;
  }
  display_.show(months_.estimate, settings_);
  estimateShown_ = true;
  return true;
}

}  // namespace zelk
