#include "bill/bill_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "bill/bill_columns.h"
#include "bill/csv_records.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

// A household's bill of a month is a few thousand rows; a file far larger is
// no bill, and is not read into memory.
constexpr std::uintmax_t kLargestBill = 64 * 1024 * 1024;

bool isBlank(const CsvRecord& record) {
  for (const auto& field : record.fields)
    if (!trimmed(field).empty()) return false;
  return true;
}

std::string listText(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? sjis("(なし)") : text;
}

// The header a user meant: the row that names the most columns, else the
// first row that holds anything.
const CsvRecord* likelyHeader(const std::vector<CsvRecord>& records) {
  const CsvRecord* best = nullptr;
  std::size_t bestCount = 0;
  for (const auto& record : records) {
    std::size_t count = 0;
    for (const auto& field : record.fields) count += billColumnOf(field).has_value();
    if (count > bestCount || (!best && !isBlank(record))) {
      best = &record;
      bestCount = count;
    }
  }
  return best;
}

[[noreturn]] void failColumns(const std::vector<CsvRecord>& records) {
  std::vector<std::string> found;
  std::vector<BillColumn> missing = BillColumns{}.missing();
  if (const CsvRecord* header = likelyHeader(records)) {
    for (const auto& field : header->fields)
      if (!trimmed(field).empty()) found.emplace_back(trimmed(field));
    missing = billColumnsOf(header->fields).missing();
  }
  std::vector<std::string> needed;
  for (BillColumn column : missing) needed.push_back(billColumnCaption(column));
  fatalExit(kBadBillFile, sjis("請求書の見出しの行に、照合に要る列がそろっていません(-_-)\n見つかった列: ") +
                              listText(found) + sjis("\n足りない列: ") + listText(needed) + "\n");
}

std::string_view fieldOf(const CsvRecord& record, std::optional<std::size_t> index) {
  if (!index || *index >= record.fields.size()) return {};
  return record.fields[*index];
}

// The moment the call began: the date column, with its time or the start
// column's (which may hold the date too).
std::optional<Moment> startOf(const CsvRecord& record, const BillColumns& columns) {
  const std::string_view startField = fieldOf(record, columns[BillColumn::Start]);
  if (columns[BillColumn::Start]) {
    if (const auto dated = parseBillDate(startField); dated && dated->secondOfDay)
      return dated->midnight + *dated->secondOfDay;
  }
  const auto date = parseBillDate(fieldOf(record, columns[BillColumn::Date]));
  if (!date) return std::nullopt;
  if (columns[BillColumn::Start]) {
    const auto clock = parseClock(startField);
    if (clock) return date->midnight + *clock;
  }
  if (date->secondOfDay) return date->midnight + *date->secondOfDay;
  return std::nullopt;
}

std::optional<BillRow> rowOf(const CsvRecord& record, const BillColumns& columns) {
  const auto start = startOf(record, columns);
  const auto number = normaliseNumber(fieldOf(record, columns[BillColumn::Number]));
  const auto seconds = parseDuration(fieldOf(record, columns[BillColumn::Duration]));
  const auto yen = parseYen(fieldOf(record, columns[BillColumn::Charge]));
  if (!start || !number || !seconds || !yen) return std::nullopt;
  BillRow row{record.line, *start, *number, *seconds, *yen, std::nullopt};
  if (columns[BillColumn::Carrier]) row.carrier = carrierOfBillText(fieldOf(record, columns[BillColumn::Carrier]));
  return row;
}

}  // namespace

BillFile readBill(std::string_view bytes) {
  BillText text = decodeBillText(bytes);
  BillFile bill;
  bill.encoding = text.encoding;
  bill.separator = csvSeparatorOf(text.cp932);
  const std::vector<CsvRecord> records = csvRecords(text.cp932, bill.separator);
  std::size_t headerAt = 0;
  BillColumns columns;
  for (; headerAt < records.size(); ++headerAt) {
    columns = billColumnsOf(records[headerAt].fields);
    if (columns.missing().empty()) break;
  }
  if (headerAt == records.size()) failColumns(records);
  bill.skippedRows = static_cast<int>(headerAt);  // a title or an account above the header
  for (std::size_t i = headerAt + 1; i < records.size(); ++i) {
    if (auto row = rowOf(records[i], columns))
      bill.rows.push_back(std::move(*row));
    else
      ++bill.skippedRows;
  }
  return bill;
}

BillFile readBillFile(const std::string& path) {
  const std::string shownPath = cp932OfUtf8(path);
  std::error_code error;
  const bool regular = std::filesystem::is_regular_file(path, error);
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = regular && file ? static_cast<std::streamoff>(file.tellg()) : -1;
  if (size < 0)
    fatalExit(kBadBillFile, sjis("請求書 ") + shownPath + sjis(" を読めません(-_-)\n"));
  if (static_cast<std::uintmax_t>(size) > kLargestBill)
    fatalExit(kBadBillFile, sjis("請求書 ") + shownPath + sjis(" は大きすぎて、通話明細の請求書ではないようです(-_-)\n"));
  file.seekg(0);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!file.read(bytes.data(), size))
    fatalExit(kBadBillFile, sjis("請求書 ") + shownPath + sjis(" を読めません(-_-)\n"));
  try {
    return readBill(bytes);
  } catch (const FatalError& error) {
    fatalExit(error.code(), sjis("請求書 ") + shownPath + ": " + error.message());
  }
}

}  // namespace zelk
