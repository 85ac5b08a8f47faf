#include "bill/bill_check_table.h"

#include <cstdio>
#include <cstdlib>
#include <vector>
#include <algorithm>

#include "platform/cp932.h"

namespace zelk {
namespace {

constexpr std::string_view kClassKeys[kBillClassCount] = {"matched", "differs", "billOnly", "logsOnly"};
constexpr std::string_view kClassCaptions[kBillClassCount] = {"一致", "金額違い", "請求書のみ", "ログのみ"};

struct ColumnInfo {
  BillCheckColumn column;
  std::string_view caption;
  bool numeric;
};
constexpr ColumnInfo kColumnInfo[kBillCheckColumnCount] = {
    {BillCheckColumn::Class, "区分", false},         {BillCheckColumn::Line, "行", true},
    {BillCheckColumn::BillStart, "請求書の開始", false}, {BillCheckColumn::Number, "番号", false},
    {BillCheckColumn::BillSeconds, "請求秒数", true},  {BillCheckColumn::BillYen, "請求額", true},
    {BillCheckColumn::CallStart, "ログの開始", false}, {BillCheckColumn::CallSeconds, "ログ秒数", true},
    {BillCheckColumn::EstimateYen, "見積額", true},    {BillCheckColumn::Difference, "差額", true},
    {BillCheckColumn::PricedBy, "見積の元", false},
};

// What an estimate was priced by: the month's counted units, or a carrier.
std::string pricedByText(const std::optional<BillCarrier>& carrier) {
  if (!carrier) return sjis("計上度数");
  static constexpr std::string_view kNames[kBillCarrierCount] = {"NTT東西", "NTTコム", "東京電話", "九州電話", "KDDI"};
  return sjis(kNames[static_cast<std::size_t>(*carrier)]);
}

std::string csvField(const std::string& cp932) {
  std::string text = toUtf8WithYen(cp932);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

const std::array<BillCheckColumn, kBillCheckColumnCount> kBillCheckColumns = [] {
  std::array<BillCheckColumn, kBillCheckColumnCount> columns{};
  for (std::size_t i = 0; i < kBillCheckColumnCount; ++i) columns[i] = kColumnInfo[i].column;
  return columns;
}();

std::string_view billClassKey(BillClass kind) { return kClassKeys[static_cast<std::size_t>(kind)]; }

const std::string& billClassCaption(BillClass kind) { return sjis(kClassCaptions[static_cast<std::size_t>(kind)]); }

const std::string& billCheckCaption(BillCheckColumn column) {
  return sjis(kColumnInfo[static_cast<std::size_t>(column)].caption);
}

bool isNumeric(BillCheckColumn column) { return kColumnInfo[static_cast<std::size_t>(column)].numeric; }

std::string yenText(std::int64_t hundredths) {
  const std::int64_t magnitude = std::llabs(hundredths);
  std::string text = (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100);
  if (magnitude % 100 == 0) return text;
  char fraction[8];
  std::snprintf(fraction, sizeof fraction, ".%02lld", static_cast<long long>(magnitude % 100));
  text += fraction;
  if (text.back() == '0') text.pop_back();
  return text;
}

std::int64_t differenceOf(const BillCheck& check, const BillCheckEntry& entry) {
  const std::int64_t bill = entry.row ? check.bill.rows[*entry.row].yenHundredths : 0;
  return bill - (entry.call ? entry.estimateHundredths : 0);
}

std::string billCheckCell(const BillCheck& check, const BillCheckEntry& entry, BillCheckColumn column) {
  const BillRow* row = entry.row ? &check.bill.rows[*entry.row] : nullptr;
  const LoggedCall* call = entry.call ? &check.calls[*entry.call] : nullptr;
  switch (column) {
    case BillCheckColumn::Class: return billClassCaption(entry.kind);
    case BillCheckColumn::Line: return row ? std::to_string(row->line) : "";
    case BillCheckColumn::BillStart: return row ? momentText(row->start) : "";
    case BillCheckColumn::Number: return row ? row->number : call->number;
    case BillCheckColumn::BillSeconds: return row ? std::to_string(row->seconds) : "";
    case BillCheckColumn::BillYen: return row ? yenText(row->yenHundredths) : "";
    case BillCheckColumn::CallStart: return call ? momentText(call->start) : "";
    case BillCheckColumn::CallSeconds: return call ? std::to_string(call->seconds) : "";
    case BillCheckColumn::EstimateYen: return call ? yenText(entry.estimateHundredths) : "";
    case BillCheckColumn::Difference: return entry.kind == BillClass::Differs ? yenText(differenceOf(check, entry)) : "";
    case BillCheckColumn::PricedBy: return call ? pricedByText(entry.carrier) : "";
  }
  return "";
}

std::string billTotalsText(const BillTotals& totals) {
  struct Line {
    std::string caption, count, bill, estimate;
  };
  std::vector<Line> lines;
  int rows = 0;
  for (std::size_t i = 0; i < kBillClassCount; ++i) {
    lines.push_back({billClassCaption(static_cast<BillClass>(i)), std::to_string(totals.count[i]),
                     yenText(totals.billHundredths[i]), yenText(totals.estimateHundredths[i])});
    rows += totals.count[i];
  }
  lines.push_back({sjis("合計"), std::to_string(rows), yenText(totals.bill()), yenText(totals.estimate())});
  // CP932 bytes are display columns; the figures are right-aligned.
  std::size_t widths[4] = {};
  for (const auto& line : lines) {
    widths[0] = std::max(widths[0], line.caption.size());
    widths[1] = std::max(widths[1], line.count.size());
    widths[2] = std::max(widths[2], line.bill.size());
    widths[3] = std::max(widths[3], line.estimate.size());
  }
  auto padded = [](const std::string& text, std::size_t width) { return std::string(width - text.size(), ' ') + text; };
  std::string text;
  for (const auto& line : lines)
    text += line.caption + std::string(widths[0] - line.caption.size(), ' ') + "  " + padded(line.count, widths[1]) +
            sjis("件  請求 ") + padded(line.bill, widths[2]) + sjis("円  見積 ") + padded(line.estimate, widths[3]) +
            sjis("円\n");
  return text;
}

std::string billCheckCsv(const BillCheck& check) {
  std::string csv = "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < kBillCheckColumnCount; ++i)
    csv += (i ? "," : "") + csvField(billCheckCaption(kBillCheckColumns[i]));
  csv += "\r\n";
  for (const auto& entry : check.entries) {
    for (std::size_t i = 0; i < kBillCheckColumnCount; ++i)
      csv += (i ? "," : "") + csvField(billCheckCell(check, entry, kBillCheckColumns[i]));
    csv += "\r\n";
  }
  return csv;
}

}  // namespace zelk
