#include "app/json_report.h"

#include <nlohmann/json.hpp>

#include "app/summary_report.h"
#include "platform/cp932.h"

namespace zelk {
namespace {

// `named`: the plan fees by caption and the call list by field, besides the
// slot table and the call-list text. The dates come last: readers of the
// older objects find every field where it was.
nlohmann::ordered_json resultObject(const MonthResult& result, bool withTitle, const RunSettings* named,
                                    const std::optional<BillingMonthDates>& dates) {
  nlohmann::ordered_json object;
  if (withTitle) object["title"] = toUtf8(result.title);
  object["slots"] = result.amounts.values;
  object["cheapest"] = toUtf8(result.name);
  object["calls"] = toUtf8(result.callList);
  object["plans"] = named ? planFeesJson(result, *named) : nlohmann::ordered_json::array();
  object["callList"] = callListJson(result);
  object["closingDate"] = dates ? nlohmann::ordered_json(isoDateText(dates->closingDate)) : nullptr;
  object["periodStart"] = dates ? nlohmann::ordered_json(isoDateText(dates->periodStart)) : nullptr;
  return object;
}

}  // namespace

nlohmann::ordered_json fatalJson(const FatalError* fatal) {
  if (!fatal) return nullptr;
  return {{"code", fatal->code()}, {"message", toUtf8(fatal->message())}};
}

std::string jsonReport(const RunResult& run, const std::vector<std::string>& cp932Messages,
                       const FatalError* fatal, bool withSummary) {
  nlohmann::ordered_json report;
  report["months"] = nlohmann::ordered_json::array();
  const MonthList& list = run.months;
  if (!fatal) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(list.count); ++i)
      report["months"].push_back(resultObject(list.months[i], true, &run.settings, run.monthDates[i]));
  }
  report["estimateFactor"] = static_cast<double>(run.months.estimateFactor);
  // Without a projection the estimate block holds no fees to name.
  const bool projected = run.months.estimateFactor != 0.0f;
  report["estimate"] =
      resultObject(list.estimate, false, projected ? &run.settings : nullptr, fatal ? std::nullopt : run.currentMonth);
  report["messages"] = nlohmann::ordered_json::array();
  for (const auto& message : cp932Messages) report["messages"].push_back(toUtf8(message));
  report["fatal"] = fatalJson(fatal);
  const auto& newest = run.newestCallBeforeWindow;
  report["newestCallBeforeWindow"] = newest && !fatal ? nlohmann::ordered_json(isoDateText(newest->date)) : nullptr;
  if (withSummary) report["summary"] = fatal ? nlohmann::ordered_json(nullptr) : summaryJson(run);
  report["schemaVersion"] = kJsonSchemaVersion;
  return report.dump(1) + "\n";
}

}  // namespace zelk
