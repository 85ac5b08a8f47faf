#include "ui/model/fee_table.h"

#include <cstdio>

#include "platform/cp932.h"

namespace zelk {
namespace {

// How a tab's amounts read: the seconds one charge unit lasts (tenths of a
// second, with the unit's price in tenths of a yen), or the charge for six
// seconds (hundredths of a yen).
enum class Tariff { UnitSeconds, SixSecondYen };

// One band row: the amounts for day, night and late night, and the price of
// one unit in tenths of a yen (unit tariffs only).
struct BandRates {
  std::array<int, kFeeTimeColumns> amount;
  int unitPrice;
};

struct FeeTab {
  const char* name;
  Tariff tariff;
  std::array<BandRates, kFeeBandRows> rows;
  std::vector<const char*> legend;
};

constexpr int kYen10 = 100;   // NTT, QTNet beyond 30 km
constexpr int kYen9 = 90;     // TTNet, QTNet up to 30 km
constexpr int kYen7_2 = 72;   // TTNet's adjacent calls read 9 yen as 7.2 yen

// The tabs hold the rate texts as the carriers published them, and a few
// cells differ from the rates the charges are computed with
// (tariff/tariff_tables.cpp): NTT's night unit beyond 160 km reads 60.5
// seconds here and is 60 seconds in the charge table, for one. That is on
// purpose: the window shows the published texts, the charges follow the
// rates as they were applied. Neither side is to be corrected from the other.
const std::array<FeeTab, kFeeTabCount>& feeTabs() {
  static const std::array<FeeTab, kFeeTabCount> tabs = {{
      {"NTT東・西",
       Tariff::UnitSeconds,
       {{{{1800, 1800, 2400}, kYen10},
         {{900, 900, 1200}, kYen10},
         {{600, 750, 900}, kYen10},
         {{600, 750, 900}, kYen10},
         {{450, 600, 900}, kYen10},
         {{450, 600, 900}, kYen10},
         {{450, 605, 900}, kYen10},
         {{450, 605, 900}, kYen10}}},
       {"ダイヤル通話料金表 (2000.10. 1現在)", " ★秒数  :  \\10で通話出来る時間", " ★括弧内  :  3分間での料金",
        " ★2000. 9.30以前の時間は", "        20- 30km 45.0秒/45.0秒/60.0秒",
        "        30- 60km 36.0秒/36.0秒/60.0秒", "        60-100km 22.5秒/30.0秒/45.0秒",
        "       100-   km 20.0秒/22.5秒/30.0秒"}},
      {"NTT Com",
       Tariff::UnitSeconds,
       {{{{1800, 1800, 2400}, kYen10},
         {{900, 900, 1200}, kYen10},
         {{450, 450, 600}, kYen10},
         {{450, 450, 600}, kYen10},
         {{260, 450, 450}, kYen10},
         {{200, 260, 360}, kYen10},
         {{200, 260, 360}, kYen10},
         {{200, 260, 360}, kYen10}}},
       {"ダイヤル通話料金表 (2000. 4. 3現在)", " ★秒数  :  \\10で通話出来る時間", " ★括弧内  :  3分間での料金",
        " ★2000. 4. 2以前はNTT東日本・西日本に同じ"}},
      {"KDDI(001)/県内",
       Tariff::SixSecondYen,
       {{{{66, 66, 50}, 0},
         {{66, 66, 50}, 0},
         {{101, 91, 68}, 0},
         {{101, 91, 68}, 0},
         {{134, 101, 68}, 0},
         {{134, 101, 68}, 0},
         {{134, 101, 68}, 0},
         {{134, 101, 68}, 0}}},
       {"NTT加入電話国内電話サービス通話料金表", "                          (1998. 7. 1現在)",
        " ★金額  :  6秒での通話料金", " ★括弧内  :  3分間での料金", " ★2000. 9.30以前の料金は",
        "        20- 60km 1.1円/1.1円/0.9円", "        60-100km 1.8円/1.2円/0.9円",
        "       100-   km 2.3円/1.2円/1.0円", " ★1999.11. 1以降、1通話あたりの最低料金が5円に"}},
      {"KDDI(001)/県外",
       Tariff::SixSecondYen,
       {{{{66, 66, 50}, 0},
         {{66, 66, 50}, 0},
         {{110, 110, 90}, 0},
         {{110, 110, 90}, 0},
         {{230, 180, 100}, 0},
         {{230, 180, 100}, 0},
         {{230, 180, 100}, 0},
         {{230, 180, 100}, 0}}},
       {"NTT加入電話国内電話サービス通話料金表", "                          (1999. 9.23現在)",
        " ★金額  :  6秒での通話料金", " ★括弧内  :  3分間での料金"}},
      {"TTNet/県内",
       Tariff::UnitSeconds,
       {{{{1800, 1800, 2250}, kYen9},
         {{900, 900, 1200}, kYen7_2},
         {{900, 900, 900}, kYen9},
         {{900, 900, 900}, kYen9},
         {{600, 600, 900}, kYen9},
         {{600, 600, 900}, kYen9},
         {{600, 600, 900}, kYen9},
         {{600, 600, 900}, kYen9}}},
       {"中継電話サービス通話料金表  (2000.10. 1現在)", " ★秒数:\\9で通話出来る時間", " ★括弧内  :  3分間での料金",
        " ★「隣接区域内通話/20km迄」の通話で秒数が90", "    秒(深夜早朝は120秒)を超えるものについては、",
        "    9円を7.2円に読み替えます。", " ★2000. 9.30以前の9での時間は", "        30- 60km 60.0秒/60.0秒/90.0秒",
        "        60-100km 36.0秒/45.0秒/60.0秒", "       100-170km 26.0秒/30.0秒/45.0秒",
        "       170-   km 26.0秒/30.0秒/36.0秒", " ★2000. 4.30以前の9での時間は",
        "        20- 30km 60.0秒/60.0秒/60.0秒", "        30- 60km 45.0秒/60.0秒/90.0秒",
        "        60-100km 36.0秒/45.0秒/60.0秒"}},
      {"TTNet/県外",
       Tariff::UnitSeconds,
       {{{{1800, 1800, 2250}, kYen9},
         {{900, 900, 1200}, kYen7_2},
         {{900, 900, 900}, kYen9},
         {{600, 600, 900}, kYen9},
         {{360, 450, 600}, kYen9},
         {{260, 300, 450}, kYen9},
         {{260, 300, 450}, kYen9},
         {{260, 300, 450}, kYen9}}},
       {"中継電話サービス通話料金表  (2000. 5. 1現在)", " ★秒数:\\9で通話出来る時間", " ★括弧内  :  3分間での料金",
        " ★「隣接区域内通話/20km迄」の通話で秒数が90", "    秒(深夜早朝は120秒)を超えるものについては、",
        "    9円を7.2円に読み替えます。", " ★2000. 4.30以前の100km以遠の\\9での時間は",
        "        20- 30km 60.0秒/60.0秒/60.0秒", "        30- 60km 45.0秒/60.0秒/90.0秒",
        "        60-100km 30.0秒/45.0秒/60.0秒"}},
      // The 60 to 160 km rows follow QTNet's charges from 2000-09-01: 10 yen a
      // unit beyond 30 km.
      {"QTNet",
       Tariff::UnitSeconds,
       {{{{1800, 1800, 2250}, kYen9},
         {{900, 900, 1200}, kYen9},
         {{900, 900, 1200}, kYen9},
         {{600, 600, 900}, kYen10},
         {{360, 450, 600}, kYen10},
         {{260, 300, 450}, kYen10},
         {{260, 300, 450}, kYen10},
         {{260, 300, 450}, kYen10}}},
       {"中継電話サービス通話料金表  (2000. 9. 1現在)", " ★秒数:\\9(30km迄)/\\10(30km以遠)で通話出来る時間",
        " ★括弧内  :  3分間での料金", " ★2000. 8.31以前の\\10での時間は", "        30- 60km 45.0秒/60.0秒/90.0秒",
        "        60-100km 30.0秒/45.0秒/60.0秒"}},
  }};
  return tabs;
}

template <std::size_t N>
std::array<std::string, N> converted(const std::array<const char*, N>& texts) {
  std::array<std::string, N> result;
  for (std::size_t i = 0; i < N; ++i) result[i] = sjis(texts[i]);
  return result;
}

// The price of three minutes in tenths of a yen: every started unit is paid.
int threeMinutePrice(int unitTenths, int unitPrice) {
  return (1800 + unitTenths - 1) / unitTenths * unitPrice;
}

std::string unitCell(int unitTenths, int unitPrice) {
  const int price = threeMinutePrice(unitTenths, unitPrice);
  char text[64];
  if (price % 10 == 0) {
    std::snprintf(text, sizeof text, "%d.%d%s(\\%3d)", unitTenths / 10, unitTenths % 10, sjis("秒").c_str(),
                  price / 10);
  } else {
    std::snprintf(text, sizeof text, "%d.%d%s(\\%d.%d)", unitTenths / 10, unitTenths % 10, sjis("秒").c_str(),
                  price / 10, price % 10);
  }
  return text;
}

// Thirty six-second charges, rounded to whole yen.
std::string sixSecondCell(int hundredths) {
  char text[64];
  std::snprintf(text, sizeof text, "%d.%02d%s(\\%3d)", hundredths / 100, hundredths % 100, sjis("円").c_str(),
                (hundredths * 30 + 50) / 100);
  return text;
}

constexpr std::array<DistanceBand, kBandItemCount> kItemBands = {
    DistanceBand::InArea,    DistanceBand::Adjacent,  DistanceBand::Upto30km,  DistanceBand::Upto60km,
    DistanceBand::Upto100km, DistanceBand::Upto160km, DistanceBand::Upto170km, DistanceBand::Beyond170km,
};

}  // namespace

const std::array<std::string, kFeeTabCount>& feeTabNames() {
  static const std::array<std::string, kFeeTabCount> names = [] {
    std::array<std::string, kFeeTabCount> result;
    for (int i = 0; i < kFeeTabCount; ++i) result[i] = sjis(feeTabs()[i].name);
    return result;
  }();
  return names;
}

const std::array<std::string, kFeeTimeColumns>& feeColumnHeadings() {
  static const auto headings = converted<kFeeTimeColumns>({"昼間", "夜間", "深夜･早朝"});
  return headings;
}

const std::array<std::string, kFeeBandRows>& feeRowHeadings() {
  static const auto headings = converted<kFeeBandRows>(
      {"区域内", "隣接区域内/～20km", "～30km", "～60km", "～100km", "～160km", "～170km", "170km～"});
  return headings;
}

std::vector<std::string> feeLegend(int tab) {
  std::vector<std::string> lines;
  if (tab < 0 || tab >= kFeeTabCount) return lines;
  for (const char* line : feeTabs()[tab].legend) lines.push_back(sjis(line));
  return lines;
}

std::string feeCell(int tab, int row, int column) {
  if (tab < 0 || tab >= kFeeTabCount || row < 0 || row >= kFeeBandRows || column < 0 || column >= kFeeTimeColumns)
    return {};
  const FeeTab& feeTab = feeTabs()[tab];
  const BandRates& rates = feeTab.rows[row];
  if (feeTab.tariff == Tariff::SixSecondYen) return sixSecondCell(rates.amount[column]);
  return unitCell(rates.amount[column], rates.unitPrice);
}

const std::array<std::string, kBandItemCount>& bandItemTexts() {
  static const auto items = converted<kBandItemCount>(
      {"区域内", "隣接区域/～20km", "～30km", "～60km", "～100km", "～160km", "～170km", "170km～"});
  return items;
}

std::optional<int> bandItem(DistanceBand band) {
  for (int item = 0; item < kBandItemCount; ++item)
    if (kItemBands[item] == band) return item;
  return std::nullopt;
}

std::optional<DistanceBand> itemBand(int item) {
  if (item < 0 || item >= kBandItemCount) return std::nullopt;
  return kItemBands[item];
}

}  // namespace zelk
