#include "app/calls_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

#include "app/json_report.h"
#include "platform/cp932.h"

namespace zelk {
namespace {

// Columns that exist only with a setting or a log format: shown when some call has them.
bool hasValues(const MonthCalls& calls, CallColumn column) {
  return std::any_of(calls.calls.begin(), calls.calls.end(),
                     [column](const CallLine& call) { return !cellText(call, column).empty(); });
}

nlohmann::ordered_json yen(const std::optional<std::int32_t>& value, double scale) {
  return value ? nlohmann::ordered_json(*value / scale) : nlohmann::ordered_json(nullptr);
}

}  // namespace

std::string callsText(const MonthResult& month, const MonthCalls& calls) {
  std::vector<CallColumn> shown;
  for (CallColumn column : kCallColumns) {
    const bool optional = column == CallColumn::Name || column == CallColumn::OutOfPrefecture ||
                          column == CallColumn::CarrierYen || column == CallColumn::KddiYen ||
                          column == CallColumn::LoggedFee;
    if (!optional || hasValues(calls, column)) shown.push_back(column);
  }
  // CP932 bytes are display columns: one for a half-width, two for a full-width character.
  std::vector<std::vector<std::string>> lines;
  auto addLine = [&](auto cellOf) {
    std::vector<std::string> cells;
    for (CallColumn column : shown) cells.push_back(cellOf(column));
    lines.push_back(std::move(cells));
  };
  addLine([](CallColumn column) { return columnCaption(column); });
  for (const auto& call : calls.calls) addLine([&call](CallColumn column) { return cellText(call, column); });
  addLine([&calls](CallColumn column) {
    return column == CallColumn::Start ? sjis("合計") : calls.totalText(column);
  });
  std::vector<std::size_t> widths(shown.size(), 0);
  for (const auto& cells : lines)
    for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], cells[i].size());

  std::string text = month.title + "\n";
  for (const auto& cells : lines) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string pad(widths[i] - cells[i].size(), ' ');
      line += (i ? "  " : "") + (isSummed(shown[i]) ? pad + cells[i] : cells[i] + pad);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\n";
  }
  return toUtf8(text);
}

std::string callsJson(const MonthResult& month, const MonthCalls& calls) {
  nlohmann::ordered_json report;
  report["title"] = toUtf8(month.title);
  report["calls"] = nlohmann::ordered_json::array();
  for (const auto& call : calls.calls) {
    nlohmann::ordered_json object;
    object["start"] = call.start;
    object["number"] = call.number;
    object["name"] = call.name.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(toUtf8(call.name));
    object["seconds"] = call.seconds;
    object["band"] = static_cast<int>(call.band);
    object["outOfPrefecture"] = call.outOfPrefecture;
    object["lateNight"] = call.lateNight();
    object["feeUnits"] = call.feeUnits;
    object["nttUnits"] = call.nttUnits;
    object["comUnits"] = call.comUnits;
    object["carrierYen"] = yen(call.carrierTenths, 10.0);
    object["kddiYen"] = yen(call.kddiHundredths, 100.0);
    object["loggedFee"] = call.loggedFee ? nlohmann::ordered_json(*call.loggedFee) : nlohmann::ordered_json(nullptr);
    report["calls"].push_back(std::move(object));
  }
  report["fatal"] = nullptr;
  report["schemaVersion"] = kJsonSchemaVersion;
  return report.dump(1) + "\n";
}

std::string callsFatalJson(const FatalError& fatal) {
  const nlohmann::ordered_json report{{"title", nullptr},
                                      {"calls", nlohmann::ordered_json::array()},
                                      {"fatal", fatalJson(&fatal)},
                                      {"schemaVersion", kJsonSchemaVersion}};
  return report.dump(1) + "\n";
}

}  // namespace zelk
