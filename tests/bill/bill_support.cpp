#include "bill_support.h"

#include "platform/cp932.h"

namespace zelk::test {

std::vector<BillLine> billLinesOf(const MonthCalls& calls) {
  std::vector<BillLine> lines;
  for (const CallLine& call : calls.calls) {
    char duration[16];
    std::snprintf(duration, sizeof duration, "%02d:%02d:%02d", call.seconds / 3600, call.seconds / 60 % 60,
                  call.seconds % 60);
    std::string date = call.start.substr(0, 10);
    for (char& c : date) c = c == '-' ? '/' : c;
    const int counted = call.outOfPrefecture ? call.comUnits : call.feeUnits;
    lines.push_back({date, call.start.substr(11), call.number, duration, std::to_string(counted * 10), ""});
  }
  return lines;
}

std::string billFileOf(const std::vector<BillLine>& lines, char separator, BillBytes bytes) {
  bool carriers = false;
  for (const auto& line : lines) carriers = carriers || !line.carrier.empty();
  auto cell = [separator](const std::string& text) {
    if (text.find(separator) == std::string::npos && text.find('"') == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
  };
  auto row = [&](std::vector<std::string> cells) {
    std::string text;
    for (const auto& each : cells) text += (text.empty() ? "" : std::string(1, separator)) + cell(each);
    return text + "\r\n";
  };
  std::vector<std::string> header = {"通話日", "通話開始時刻", "通話先電話番号", "通話時間", "通話料金"};
  if (carriers) header.push_back("事業者");
  std::string text = row(header);
  for (const auto& line : lines) {
    std::vector<std::string> cells = {line.date, line.time, line.number, line.duration, line.charge};
    if (carriers) cells.push_back(line.carrier);
    text += row(cells);
  }
  switch (bytes) {
    case BillBytes::Cp932: return toCp932(text);
    case BillBytes::Utf8: return text;
    default: return "\xEF\xBB\xBF" + text;
  }
}

}  // namespace zelk::test
