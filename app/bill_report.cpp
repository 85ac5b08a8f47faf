#include "app/bill_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

#include "app/json_report.h"
#include "bill/bill_check_table.h"
#include "platform/cp932.h"

namespace zelk {
namespace {

using Json = nlohmann::ordered_json;

// Whole yen as an integer, a fraction as a number.
Json yenJson(std::int64_t hundredths) {
  if (hundredths % 100 == 0) return Json(hundredths / 100);
  return Json(static_cast<double>(hundredths) / 100.0);
}

// The carrier asked for; null for none.
Json carrierJson(const std::optional<BillCarrier>& carrier) {
  return carrier ? Json(std::string(carrierKey(*carrier))) : Json(nullptr);
}

// What a call's estimate was priced by: a carrier, or "counted" for the
// units the month counts.
Json pricedByJson(const std::optional<BillCarrier>& carrier) {
  return carrier ? Json(std::string(carrierKey(*carrier))) : Json("counted");
}

}  // namespace

std::string billText(const MonthResult& month, const BillCheck& check) {
  // CP932 bytes are display columns: one for a half-width, two for a full-width character.
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string> header;
  for (BillCheckColumn column : kBillCheckColumns) header.push_back(billCheckCaption(column));
  lines.push_back(std::move(header));
  for (const auto& entry : check.entries) {
    std::vector<std::string> cells;
    for (BillCheckColumn column : kBillCheckColumns) cells.push_back(billCheckCell(check, entry, column));
    lines.push_back(std::move(cells));
  }
  std::vector<std::size_t> widths(kBillCheckColumnCount, 0);
  for (const auto& cells : lines)
    for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], cells[i].size());

  std::string text = month.title + sjis(" 請求書との照合\n");
  for (const auto& cells : lines) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string pad(widths[i] - cells[i].size(), ' ');
      line += (i ? "  " : "") + (isNumeric(kBillCheckColumns[i]) ? pad + cells[i] : cells[i] + pad);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\n";
  }
  text += "\n" + billTotalsText(check.totals);
  if (check.bill.skippedRows > 0)
    text += sjis("通話でない行 ") + std::to_string(check.bill.skippedRows) + sjis("行は読み飛ばしました\n");
  text += check.totals.allMatched() ? sjis("請求書とログはすべて一致しています\n")
                                    : sjis("請求書とログに違いがあります\n");
  return toUtf8WithYen(text);
}

std::string billJson(const MonthResult& month, const BillCheck& check, const BillMatchRules& rules) {
  Json report;
  report["title"] = toUtf8(month.title);
  const BillTotals& totals = check.totals;
  Json summary;
  for (std::size_t i = 0; i < kBillClassCount; ++i)
    summary[std::string(billClassKey(static_cast<BillClass>(i)))] = totals.count[i];
  summary["skippedRows"] = check.bill.skippedRows;
  summary["billYen"] = yenJson(totals.bill());
  summary["estimateYen"] = yenJson(totals.estimate());
  summary["toleranceSeconds"] = rules.startTolerance;
  summary["carrier"] = carrierJson(rules.carrier);
  report["summary"] = std::move(summary);
  report["rows"] = Json::array();
  for (const auto& entry : check.entries) {
    const BillRow* row = entry.row ? &check.bill.rows[*entry.row] : nullptr;
    const LoggedCall* call = entry.call ? &check.calls[*entry.call] : nullptr;
    Json object;
    object["class"] = std::string(billClassKey(entry.kind));
    object["line"] = row ? Json(row->line) : Json(nullptr);
    object["start"] = row ? Json(momentText(row->start)) : Json(nullptr);
    object["number"] = row ? row->number : call->number;
    object["seconds"] = row ? Json(row->seconds) : Json(nullptr);
    object["yen"] = row ? yenJson(row->yenHundredths) : Json(nullptr);
    object["callStart"] = call ? Json(momentText(call->start)) : Json(nullptr);
    object["callSeconds"] = call ? Json(call->seconds) : Json(nullptr);
    object["estimateYen"] = call ? yenJson(entry.estimateHundredths) : Json(nullptr);
    object["differenceYen"] = entry.kind == BillClass::Differs ? yenJson(differenceOf(check, entry)) : Json(nullptr);
    object["pricedBy"] = call ? pricedByJson(entry.carrier) : Json(nullptr);
    report["rows"].push_back(std::move(object));
  }
  report["fatal"] = nullptr;
  report["schemaVersion"] = kJsonSchemaVersion;
  return report.dump(1) + "\n";
}

std::string billFatalJson(const FatalError& fatal) {
  const Json report{{"title", nullptr},
                    {"summary", nullptr},
                    {"rows", Json::array()},
                    {"fatal", fatalJson(&fatal)},
                    {"schemaVersion", kJsonSchemaVersion}};
  return report.dump(1) + "\n";
}

}  // namespace zelk
