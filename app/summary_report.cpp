#include "app/summary_report.h"

#include <algorithm>

#include "base/text.h"
#include "platform/cp932.h"
#include "ui/model/main_rows.h"
#include "ui/model/month_display.h"
#include "ui/model/year_summary.h"

namespace zelk {
namespace {

// A table cell in CP932, whose texts are as wide on a terminal as they are
// long in bytes.
std::string cell(const std::string& cp932, std::size_t width, bool right) {
  const std::string pad(width > cp932.size() ? width - cp932.size() : 0, ' ');
  return right ? pad + cp932 : cp932 + pad;
}

std::string amount(std::int64_t value, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, static_cast<long long>(value));
  return text;
}

}  // namespace

std::string summaryText(const RunResult& run) {
  const YearSummary summary = summarizeYear(run.months, run.settings);
  if (summary.months == 0)
    return "No month was produced: the declared logs hold no call after the start date.\n";
  const MonthList& list = run.months;
  std::string out = "年間比較 (" + std::to_string(summary.months) + "か月: " +
                    toUtf8(list.months[0].title) + " - " + toUtf8(list.months[summary.months - 1].title) + ")\n";
  std::size_t captionWidth = 0;
  for (const PlanTotal& plan : summary.plans) captionWidth = std::max(captionWidth, plan.caption.size());
  auto line = [&](const char* mark, const std::string& caption, const std::string& total, const std::string& months,
                  const std::string& difference) {
    return toUtf8WithYen(std::string(mark) + cell(caption, captionWidth, false) + "  " + cell(total, 10, true) +
                         "  " + cell(months, 8, true) + "  " + cell(difference, 14, true)) +
           "\n";
  };
  out += line("    ", sjis("プラン"), sjis("合計"), sjis("最安月数"), sjis("通常料金との差"));
  for (const PlanTotal& plan : summary.plans)
    out += line(&plan == summary.cheapest() ? "  * " : "    ", plan.caption, amount(plan.total, "\\%lld"),
                std::to_string(plan.monthsCheapest), amount(plan.versusNormal, "%+lld"));
  if (const PlanTotal* best = summary.cheapest()) {
    out += "\n最適プラン: " + toUtf8WithYen(best->caption);
    out += summary.saving() > 0 ? " (通常料金より ¥" + amount(summary.saving(), "%lld") + " 安い)\n"
                                : " (どの割引プランも通常料金より安くなりません)\n";
  }
  return out;
}

nlohmann::ordered_json summaryJson(const RunResult& run) {
  const YearSummary summary = summarizeYear(run.months, run.settings);
  nlohmann::ordered_json object;
  object["months"] = summary.months;
  object["plans"] = nlohmann::ordered_json::array();
  for (const PlanTotal& plan : summary.plans) {
    object["plans"].push_back({{"slot", slotNumber(plan.slot)},
                               {"caption", toUtf8WithYen(plan.caption)},
                               {"total", plan.total},
                               {"monthsCheapest", plan.monthsCheapest},
                               {"versusNormal", plan.versusNormal}});
  }
  const PlanTotal* best = summary.cheapest();
  object["cheapest"] = best ? nlohmann::ordered_json{{"slot", slotNumber(best->slot)},
                                                     {"caption", toUtf8WithYen(best->caption)}}
                            : nlohmann::ordered_json(nullptr);
  return object;
}

nlohmann::ordered_json planFeesJson(const MonthResult& result, const RunSettings& settings) {
  nlohmann::ordered_json plans = nlohmann::ordered_json::array();
  for (const MainRow& row : mainRows()) {
    if (row.kind != RowKind::Fee || !rowInUse(row, settings) || !rowWritten(row, result, settings)) continue;
    plans.push_back({{"slot", slotNumber(row.slot)},
                     {"caption", toUtf8WithYen(rowCaption(row, settings))},
                     {"yen", result.amounts[row.slot]}});
  }
  return plans;
}

nlohmann::ordered_json callListJson(const MonthResult& result) {
  nlohmann::ordered_json calls = nlohmann::ordered_json::array();
  for (const CallListRow& row : parseCallList(result.callList))
    calls.push_back({{"number", toUtf8(row[0])}, {"lateUnits", readDecimal(row[1])}, {"otherUnits", readDecimal(row[2])}});
  return calls;
}

}  // namespace zelk
