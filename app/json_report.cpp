#include "app/json_report.h"

#include <nlohmann/json.hpp>

#include "app/summary_report.h"
#include "platform/cp932.h"

namespace zelk {
namespace {

// `named`: the plan fees by caption and the call list by field, besides the
// slot table and the call-list text.
nlohmann::ordered_json resultObject(const MonthResult& result, bool withTitle, const RunSettings* named) {
  nlohmann::ordered_json object;
  if (withTitle) object["title"] = toUtf8(result.title);
  object["slots"] = result.amounts.values;
  object["cheapest"] = toUtf8(result.name);
  object["calls"] = toUtf8(result.callList);
  object["plans"] = named ? planFeesJson(result, *named) : nlohmann::ordered_json::array();
  object["callList"] = callListJson(result);
  return object;
}

}  // namespace

std::string jsonReport(const RunResult& run, const std::vector<std::string>& cp932Messages,
                       const FatalError* fatal, bool withSummary) {
  nlohmann::ordered_json report;
  report["months"] = nlohmann::ordered_json::array();
  const MonthList& list = run.months;
  if (!fatal) {
    for (int i = 0; i < list.count; ++i)
      report["months"].push_back(resultObject(list.months[i], true, &run.settings));
  }
  report["estimateFactor"] = static_cast<double>(run.months.estimateFactor);
  // Without a projection the estimate block holds no fees to name.
  const bool projected = run.months.estimateFactor != 0.0f;
  report["estimate"] = resultObject(list.estimate, false, projected ? &run.settings : nullptr);
  report["messages"] = nlohmann::ordered_json::array();
  for (const auto& message : cp932Messages) report["messages"].push_back(toUtf8(message));
  if (fatal) {
    report["fatal"] = {{"code", fatal->code()}, {"message", toUtf8(fatal->message())}};
  } else {
    report["fatal"] = nullptr;
  }
  const auto& newest = run.newestCallBeforeWindow;
  report["newestCallBeforeWindow"] = newest && !fatal ? nlohmann::ordered_json(isoDateText(newest->date)) : nullptr;
  if (withSummary) report["summary"] = fatal ? nlohmann::ordered_json(nullptr) : summaryJson(run);
  return report.dump(1) + "\n";
}

}  // namespace zelk
