#include "ui/model/year_summary.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/cp932.h"
#include "ui/model/main_rows.h"
#include "ui/model/month_display.h"

namespace zelk {
namespace {

std::uint32_t feeOf(const MonthResult& month, const PlanColumn& plan) { return month.amounts[plan.slot]; }

// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (char c : utf8) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::vector<PlanColumn> comparablePlans(const MonthList& months, const RunSettings& settings) {
  std::vector<PlanColumn> plans;
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const MainRow& row = mainRows()[i];
    if (row.kind != RowKind::Fee || !rowInUse(row, settings)) continue;
    bool everyMonth = true;
    for (int m = 0; m < months.count; ++m)
      everyMonth = everyMonth && rowWritten(row, months.months[static_cast<std::size_t>(m)], settings);
    if (everyMonth) plans.push_back({i, row.slot, rowCaption(row, settings)});
  }
  return plans;
}

YearSummary summarizeYear(const MonthList& months, const RunSettings& settings) {
  YearSummary summary;
  summary.months = std::clamp<int>(months.count, 0, static_cast<int>(kMaxStoredMonths));
  if (summary.months == 0) return summary;
  const std::vector<PlanColumn> plans = comparablePlans(months, settings);
  if (plans.empty()) return summary;

  std::vector<PlanTotal> totals;
  for (const PlanColumn& plan : plans) totals.push_back({plan.slot, plan.caption, 0, 0, 0});
  std::int64_t normalTotal = 0;
  if (settings.unfinishedMonth >= 0 && settings.unfinishedMonth < summary.months)
    summary.unfinishedMonth = settings.unfinishedMonth;
  for (int m = 0; m < summary.months; ++m) {
    const MonthResult& month = months.months[static_cast<std::size_t>(m)];
    normalTotal += month.amounts[ResultSlot::NormalFee];  // a row every window shows
    std::uint32_t lowest = UINT32_MAX;
    for (const PlanColumn& plan : plans) lowest = std::min(lowest, feeOf(month, plan));
    for (std::size_t p = 0; p < plans.size(); ++p) {
      totals[p].total += feeOf(month, plans[p]);
      if (feeOf(month, plans[p]) == lowest) ++totals[p].monthsCheapest;
    }
  }
  for (PlanTotal& total : totals) total.versusNormal = total.total - normalTotal;
  std::stable_sort(totals.begin(), totals.end(),
                   [](const PlanTotal& a, const PlanTotal& b) { return a.total < b.total; });
  summary.plans = std::move(totals);

  const ResultSlot bestSlot = summary.plans.front().slot;
  for (int m = 0; m < summary.months; ++m) {
    const MonthResult& month = months.months[static_cast<std::size_t>(m)];
    MonthBars bars;
    bars.title = month.title;
    bars.normal = month.amounts[ResultSlot::NormalFee];
    bars.periodBest = month.amounts[bestSlot];
    const PlanColumn* monthBest = &plans.front();
    for (const PlanColumn& plan : plans)
      if (feeOf(month, plan) < feeOf(month, *monthBest)) monthBest = &plan;
    bars.monthBestSlot = monthBest->slot;
    bars.monthBestCaption = monthBest->caption;
    bars.monthBest = feeOf(month, *monthBest);
    bars.unfinished = m == summary.unfinishedMonth;
    summary.bars.push_back(std::move(bars));
  }
  return summary;
}

std::string closingDateOfTitle(const std::string& title) {
  // "%4d年%2d月%2d日〆分": three numbers, each after optional blanks.
  int numbers[3] = {0, 0, 0};
  std::size_t pos = 0;
  for (int& number : numbers) {
    while (pos < title.size() && title[pos] == ' ') ++pos;
    const std::size_t start = pos;
    while (pos < title.size() && std::isdigit(static_cast<unsigned char>(title[pos])))
      number = number * 10 + (title[pos++] - '0');
    if (pos == start || pos - start > 4 || pos + 2 > title.size()) return toUtf8(title);
    pos += 2;  // the double-byte 年, 月 or 日
  }
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", numbers[0], numbers[1], numbers[2]);
  return text;
}

std::string yearCsv(const MonthList& months, const RunSettings& settings) {
  const std::vector<PlanColumn> plans = comparablePlans(months, settings);
  std::string csv = "\xEF\xBB\xBF" "締め日";
  // The captions' "\" is the yen sign of the Japanese fonts.
  for (const PlanColumn& plan : plans) csv += "," + csvField(toUtf8WithYen(plan.caption));
  csv += "\r\n";
  for (int m = 0; m < std::clamp<int>(months.count, 0, static_cast<int>(kMaxStoredMonths)); ++m) {
    const MonthResult& month = months.months[static_cast<std::size_t>(m)];
    csv += csvField(closingDateOfTitle(month.title));
    for (const PlanColumn& plan : plans) csv += "," + std::to_string(feeOf(month, plan));
    csv += "\r\n";
  }
  return csv;
}

}  // namespace zelk
