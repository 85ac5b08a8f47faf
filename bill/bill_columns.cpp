#include "bill/bill_columns.h"

#include "bill/bill_fields.h"
#include "platform/cp932.h"

namespace zelk {
namespace {

// The names of each column, in the form billColumnOf compares: lower case,
// without spaces, underscores, hyphens or a bracketed note (UTF-8 here).
struct NamedColumn {
  std::string_view name;
  BillColumn column;
  bool withTime = false;
};
constexpr NamedColumn kNames[] = {
    {"通話日", BillColumn::Date},        {"日付", BillColumn::Date},
    {"通話年月日", BillColumn::Date},    {"年月日", BillColumn::Date},
    {"利用日", BillColumn::Date},        {"ご利用日", BillColumn::Date},
    {"通話開始日", BillColumn::Date},    {"date", BillColumn::Date},
    {"calldate", BillColumn::Date},
    {"通話日時", BillColumn::Date, true}, {"日時", BillColumn::Date, true},
    {"開始日時", BillColumn::Date, true}, {"通話開始日時", BillColumn::Date, true},
    {"datetime", BillColumn::Date, true}, {"startdatetime", BillColumn::Date, true},
    {"通話開始時刻", BillColumn::Start}, {"開始時刻", BillColumn::Start},
    {"時刻", BillColumn::Start},         {"通話開始時間", BillColumn::Start},
    {"開始時間", BillColumn::Start},     {"通話時刻", BillColumn::Start},
    {"start", BillColumn::Start},        {"starttime", BillColumn::Start},
    {"time", BillColumn::Start},
    {"通話先電話番号", BillColumn::Number}, {"相手先番号", BillColumn::Number},
    {"電話番号", BillColumn::Number},    {"相手先電話番号", BillColumn::Number},
    {"通話先番号", BillColumn::Number},  {"発信先番号", BillColumn::Number},
    {"相手番号", BillColumn::Number},    {"番号", BillColumn::Number},
    {"number", BillColumn::Number},      {"callednumber", BillColumn::Number},
    {"phonenumber", BillColumn::Number}, {"to", BillColumn::Number},
    {"通話時間", BillColumn::Duration},  {"時間", BillColumn::Duration},
    {"通話秒数", BillColumn::Duration},  {"秒数", BillColumn::Duration},
    {"duration", BillColumn::Duration},  {"seconds", BillColumn::Duration},
    {"通話料金", BillColumn::Charge},    {"料金", BillColumn::Charge},
    {"金額", BillColumn::Charge},        {"通話料", BillColumn::Charge},
    {"ご利用金額", BillColumn::Charge},  {"利用金額", BillColumn::Charge},
    {"charge", BillColumn::Charge},      {"amount", BillColumn::Charge},
    {"fee", BillColumn::Charge},         {"yen", BillColumn::Charge},
    {"事業者", BillColumn::Carrier},     {"通信事業者", BillColumn::Carrier},
    {"通話種別", BillColumn::Carrier},   {"種別", BillColumn::Carrier},
    {"サービス", BillColumn::Carrier},   {"carrier", BillColumn::Carrier},
    {"service", BillColumn::Carrier},
};

constexpr std::string_view kCaptions[kBillColumnCount] = {"通話日", "通話開始時刻", "通話先電話番号",
                                                          "通話時間", "通話料金", "事業者"};

// The header cell as the table spells names; a bracket after the name
// opens a note that is no part of it.
std::string comparableName(std::string_view cp932) {
  const std::string_view name = trimmed(cp932);
  std::string plain;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (isLeadByte(c) && i + 1 < name.size()) {
      const std::string_view character = name.substr(i++, 2);
      if ((character == sjis("（") || character == sjis("［")) && !plain.empty()) break;
      if (character != sjis("　")) plain += character;
    } else if ((c == '(' || c == '[') && !plain.empty()) {
      break;
    } else if (c >= 'A' && c <= 'Z') {
      plain += static_cast<char>(c - 'A' + 'a');
    } else if (c != ' ' && c != '_' && c != '-' && c != '\t') {
      plain += static_cast<char>(c);
    }
  }
  return plain;
}

}  // namespace

std::optional<BillColumnName> billColumnOf(std::string_view cp932) {
  const std::string name = comparableName(cp932);
  for (const auto& entry : kNames)
    if (sjis(entry.name) == name) return BillColumnName{entry.column, entry.withTime};
  return std::nullopt;
}

std::vector<BillColumn> BillColumns::missing() const {
  std::vector<BillColumn> columns;
  for (BillColumn column : {BillColumn::Date, BillColumn::Start, BillColumn::Number, BillColumn::Duration,
                            BillColumn::Charge}) {
    if ((*this)[column]) continue;
    if (column == BillColumn::Start && dateWithTime) continue;
    columns.push_back(column);
  }
  return columns;
}

BillColumns billColumnsOf(const std::vector<std::string>& header) {
  BillColumns columns;
  for (std::size_t i = 0; i < header.size(); ++i) {
    const auto named = billColumnOf(header[i]);
    if (!named) continue;
    auto& index = columns.index[static_cast<std::size_t>(named->column)];
    if (index) continue;  // the first of two columns of one name counts
    index = i;
    if (named->column == BillColumn::Date) columns.dateWithTime = named->withTime;
  }
  return columns;
}

const std::string& billColumnCaption(BillColumn column) {
  return sjis(kCaptions[static_cast<std::size_t>(column)]);
}

}  // namespace zelk
