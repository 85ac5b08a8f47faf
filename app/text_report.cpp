#include "app/text_report.h"

#include <algorithm>

#include "platform/cp932.h"
#include "ui/model/month_report.h"

namespace zelk {
namespace {

// CP932 texts are as wide on a terminal as they are long in bytes: a
// double-byte character takes two columns, a half-width one takes one.
std::string padded(const std::string& cp932, std::size_t width) {
  std::string text = toUtf8WithYen(cp932);
  if (cp932.size() < width) text.append(width - cp932.size(), ' ');
  return text;
}

std::string formatReport(const MonthReport& report) {
  std::size_t captionWidth = 0;
  for (const auto& row : report.rows) captionWidth = std::max(captionWidth, row.caption.size());
  std::string out = toUtf8(report.windowCaption) + "\n";
  for (const auto& row : report.rows)
    out += "  " + padded(row.caption, captionWidth) + "  " + toUtf8WithYen(row.value) + "\n";
  if (report.cheapestShown)
    out += "  " + padded(report.cheapestCaption, captionWidth) + "  " + toUtf8(report.cheapestPlan) + "\n";
  if (report.callListShown && !report.callList.empty()) {
    std::array<std::size_t, 3> widths{};
    for (std::size_t c = 0; c < 3; ++c) {
      widths[c] = report.callListHeader[c].size();
      for (const auto& row : report.callList) widths[c] = std::max(widths[c], row[c].size());
    }
    out += "\n";
    auto line = [&](const std::array<std::string, 3>& cells) {
      std::string text = "  ";
      for (std::size_t c = 0; c < 3; ++c) {
        std::string cell = toUtf8(cells[c]);
        std::string pad(widths[c] - std::min(widths[c], cells[c].size()), ' ');
        text += c == 0 ? cell + pad : pad + cell;  // numbers left, counts right
        text += c < 2 ? "  " : "\n";
      }
      return text;
    };
    out += line(report.callListHeader);
    for (const auto& row : report.callList) out += line(row);
  }
  return out;
}

}  // namespace

std::string textReport(const RunResult& run, const ReportChoice& choice) {
  const MonthList& list = run.months;
  const RunSettings& settings = run.settings;
  if (list.count == 0)
    return "No month was produced: the declared logs hold no call after the start date.\n";
  if (choice.estimate) {
    if (list.estimateFactor == 0.0f)
      return "No estimate: the newest month is already closed (or =e is not set).\n";
    return formatReport(reportEstimate(list, settings));
  }
  int first = list.count - 1;
  int last = list.count - 1;
  if (choice.all) first = 0;
  if (choice.month > 0 && choice.month <= list.count) first = last = choice.month - 1;
  std::string out;
  for (int i = first; i <= last; ++i) {
    if (i > first) out += "\n";
    out += formatReport(reportMonth(list.months[i], settings));
  }
  return out;
}

}  // namespace zelk
