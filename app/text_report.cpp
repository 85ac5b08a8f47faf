#include "app/text_report.h"

#include <cstdio>

#include "platform/cp932.h"

namespace zelk {
namespace {

std::string formatMonth(const MonthResult& result, const std::string& heading) {
  std::string out = heading + "\n";
  out += "  cheapest: " + toUtf8(result.name) + "\n";
  char line[64];
  for (std::size_t slot = 0; slot < result.slots.size(); ++slot) {
    std::snprintf(line, sizeof line, "  [%2zu] %10u", slot, result.slots[slot]);
    out += line;
    out += slot % 4 == 3 ? "\n" : "";
  }
  out += "\n  calls: " + toUtf8(result.callList) + "\n";
  return out;
}

}  // namespace

std::string textReport(const CalculationRun& run, const ReportChoice& choice) {
  const MonthList& list = run.monthList();
  if (list.count == 0) return "No month was produced: no call after the start date in the declared logs.\n";
  std::string out;
  if (choice.estimate) {
    if (run.settings().estimateFactor == 0.0f) return "No estimate: the newest month is already closed.\n";
    return formatMonth(list.estimate, "Estimate of the current month");
  }
  int first = list.count - 1, last = list.count - 1;
  if (choice.all) first = 0;
  if (choice.month > 0 && choice.month <= list.count) first = last = choice.month - 1;
  for (int i = first; i <= last; ++i) out += formatMonth(list.months[i], toUtf8(list.months[i].title));
  return out;
}

}  // namespace zelk
