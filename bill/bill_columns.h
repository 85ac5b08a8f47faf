// The columns of a bill file, found by the names its header row gives them:
// Japanese and English, as carriers' downloads and spreadsheets name them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

enum class BillColumn { Date, Start, Number, Duration, Charge, Carrier };
inline constexpr std::size_t kBillColumnCount = 6;

struct BillColumnName {
  BillColumn column;
  bool withTime = false;  // a date column that holds the time as well (通話日時)
};

// The column a header cell (CP932) names: case, spaces, underscores and a
// bracketed note ("料金(円)", "金額（税込）") aside. Nothing for another name.
std::optional<BillColumnName> billColumnOf(std::string_view cp932);

struct BillColumns {
  std::array<std::optional<std::size_t>, kBillColumnCount> index{};  // field of each column
  bool dateWithTime = false;

  std::optional<std::size_t> operator[](BillColumn column) const { return index[static_cast<std::size_t>(column)]; }
  // The columns a call needs that the header lacks: the start may be part
  // of the date column; the carrier is optional.
  std::vector<BillColumn> missing() const;
};

BillColumns billColumnsOf(const std::vector<std::string>& header);

// The name a message gives the column (CP932): 通話日, 通話開始時刻, ...
const std::string& billColumnCaption(BillColumn column);

}  // namespace zelk
