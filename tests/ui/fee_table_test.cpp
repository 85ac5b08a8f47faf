#include <gtest/gtest.h>

#include "support/test_support.h"
#include "ui/model/fee_table.h"

namespace zelk {
namespace {

using test::sj;

using Row = std::array<const char*, 3>;
using Tab = std::array<Row, 8>;

// The cells as the window shows them, in tab order.
const std::array<Tab, kFeeTabCount> kExpectedCells = {{
    {{{"180.0秒(\\ 10)", "180.0秒(\\ 10)", "240.0秒(\\ 10)"},
      {"90.0秒(\\ 20)", "90.0秒(\\ 20)", "120.0秒(\\ 20)"},
      {"60.0秒(\\ 30)", "75.0秒(\\ 30)", "90.0秒(\\ 20)"},
      {"60.0秒(\\ 30)", "75.0秒(\\ 30)", "90.0秒(\\ 20)"},
      {"45.0秒(\\ 40)", "60.0秒(\\ 30)", "90.0秒(\\ 20)"},
      {"45.0秒(\\ 40)", "60.0秒(\\ 30)", "90.0秒(\\ 20)"},
      {"45.0秒(\\ 40)", "60.5秒(\\ 30)", "90.0秒(\\ 20)"},
      {"45.0秒(\\ 40)", "60.5秒(\\ 30)", "90.0秒(\\ 20)"}}},
    {{{"180.0秒(\\ 10)", "180.0秒(\\ 10)", "240.0秒(\\ 10)"},
      {"90.0秒(\\ 20)", "90.0秒(\\ 20)", "120.0秒(\\ 20)"},
      {"45.0秒(\\ 40)", "45.0秒(\\ 40)", "60.0秒(\\ 30)"},
      {"45.0秒(\\ 40)", "45.0秒(\\ 40)", "60.0秒(\\ 30)"},
      {"26.0秒(\\ 70)", "45.0秒(\\ 40)", "45.0秒(\\ 40)"},
      {"20.0秒(\\ 90)", "26.0秒(\\ 70)", "36.0秒(\\ 50)"},
      {"20.0秒(\\ 90)", "26.0秒(\\ 70)", "36.0秒(\\ 50)"},
      {"20.0秒(\\ 90)", "26.0秒(\\ 70)", "36.0秒(\\ 50)"}}},
    {{{"0.66円(\\ 20)", "0.66円(\\ 20)", "0.50円(\\ 15)"},
      {"0.66円(\\ 20)", "0.66円(\\ 20)", "0.50円(\\ 15)"},
      {"1.01円(\\ 30)", "0.91円(\\ 27)", "0.68円(\\ 20)"},
      {"1.01円(\\ 30)", "0.91円(\\ 27)", "0.68円(\\ 20)"},
      {"1.34円(\\ 40)", "1.01円(\\ 30)", "0.68円(\\ 20)"},
      {"1.34円(\\ 40)", "1.01円(\\ 30)", "0.68円(\\ 20)"},
      {"1.34円(\\ 40)", "1.01円(\\ 30)", "0.68円(\\ 20)"},
      {"1.34円(\\ 40)", "1.01円(\\ 30)", "0.68円(\\ 20)"}}},
    {{{"0.66円(\\ 20)", "0.66円(\\ 20)", "0.50円(\\ 15)"},
      {"0.66円(\\ 20)", "0.66円(\\ 20)", "0.50円(\\ 15)"},
      {"1.10円(\\ 33)", "1.10円(\\ 33)", "0.90円(\\ 27)"},
      {"1.10円(\\ 33)", "1.10円(\\ 33)", "0.90円(\\ 27)"},
      {"2.30円(\\ 69)", "1.80円(\\ 54)", "1.00円(\\ 30)"},
      {"2.30円(\\ 69)", "1.80円(\\ 54)", "1.00円(\\ 30)"},
      {"2.30円(\\ 69)", "1.80円(\\ 54)", "1.00円(\\ 30)"},
      {"2.30円(\\ 69)", "1.80円(\\ 54)", "1.00円(\\ 30)"}}},
    {{{"180.0秒(\\  9)", "180.0秒(\\  9)", "225.0秒(\\  9)"},
      {"90.0秒(\\14.4)", "90.0秒(\\14.4)", "120.0秒(\\14.4)"},
      {"90.0秒(\\ 18)", "90.0秒(\\ 18)", "90.0秒(\\ 18)"},
      {"90.0秒(\\ 18)", "90.0秒(\\ 18)", "90.0秒(\\ 18)"},
      {"60.0秒(\\ 27)", "60.0秒(\\ 27)", "90.0秒(\\ 18)"},
      {"60.0秒(\\ 27)", "60.0秒(\\ 27)", "90.0秒(\\ 18)"},
      {"60.0秒(\\ 27)", "60.0秒(\\ 27)", "90.0秒(\\ 18)"},
      {"60.0秒(\\ 27)", "60.0秒(\\ 27)", "90.0秒(\\ 18)"}}},
    {{{"180.0秒(\\  9)", "180.0秒(\\  9)", "225.0秒(\\  9)"},
      {"90.0秒(\\14.4)", "90.0秒(\\14.4)", "120.0秒(\\14.4)"},
      {"90.0秒(\\ 18)", "90.0秒(\\ 18)", "90.0秒(\\ 18)"},
      {"60.0秒(\\ 27)", "60.0秒(\\ 27)", "90.0秒(\\ 18)"},
      {"36.0秒(\\ 45)", "45.0秒(\\ 36)", "60.0秒(\\ 27)"},
      {"26.0秒(\\ 63)", "30.0秒(\\ 54)", "45.0秒(\\ 36)"},
      {"26.0秒(\\ 63)", "30.0秒(\\ 54)", "45.0秒(\\ 36)"},
      {"26.0秒(\\ 63)", "30.0秒(\\ 54)", "45.0秒(\\ 36)"}}},
    {{{"180.0秒(\\  9)", "180.0秒(\\  9)", "225.0秒(\\  9)"},
      {"90.0秒(\\ 18)", "90.0秒(\\ 18)", "120.0秒(\\ 18)"},
      {"90.0秒(\\ 18)", "90.0秒(\\ 18)", "120.0秒(\\ 18)"},
      {"60.0秒(\\ 30)", "60.0秒(\\ 30)", "90.0秒(\\ 20)"},
      {"36.0秒(\\ 50)", "45.0秒(\\ 40)", "60.0秒(\\ 30)"},
      {"26.0秒(\\ 70)", "30.0秒(\\ 60)", "45.0秒(\\ 40)"},
      {"26.0秒(\\ 70)", "30.0秒(\\ 60)", "45.0秒(\\ 40)"},
      {"26.0秒(\\ 70)", "30.0秒(\\ 60)", "45.0秒(\\ 40)"}}},
}};

TEST(FeeTable, EveryCellOfEveryTab) {
  for (int tab = 0; tab < kFeeTabCount; ++tab)
    for (int row = 0; row < kFeeBandRows; ++row)
      for (int column = 0; column < kFeeTimeColumns; ++column)
        EXPECT_EQ(feeCell(tab, row, column), sj(kExpectedCells[tab][row][column]))
            << "tab " << tab << " row " << row << " column " << column;
}

TEST(FeeTable, TabsAndHeadings) {
  const std::array<const char*, kFeeTabCount> tabs = {"NTT東・西",      "NTT Com",    "KDDI(001)/県内", "KDDI(001)/県外",
                                                      "TTNet/県内", "TTNet/県外", "QTNet"};
  for (int i = 0; i < kFeeTabCount; ++i) EXPECT_EQ(feeTabNames()[i], sj(tabs[i]));
  EXPECT_EQ(feeColumnHeadings()[2], sj("深夜･早朝"));
  EXPECT_EQ(feeRowHeadings()[1], sj("隣接区域内/～20km"));
  EXPECT_EQ(feeRowHeadings()[7], sj("170km～"));
  // The band choice names the adjacent band without "内".
  EXPECT_EQ(bandItemTexts()[1], sj("隣接区域/～20km"));
}

TEST(FeeTable, LegendsKeepTheirLinesAndLeadingBlanks) {
  struct Case {
    int tab;
    std::size_t lines;
    std::size_t probe;
    const char* text;
  };
  const Case cases[] = {
      {0, 8, 1, " ★秒数  :  \\10で通話出来る時間"},
      {0, 8, 7, "       100-   km 20.0秒/22.5秒/30.0秒"},
      {1, 4, 3, " ★2000. 4. 2以前はNTT東日本・西日本に同じ"},
      {2, 9, 1, "                          (1998. 7. 1現在)"},
      {3, 4, 1, "                          (1999. 9.23現在)"},
      {4, 15, 6, " ★2000. 9.30以前の9での時間は"},
      {5, 10, 6, " ★2000. 4.30以前の100km以遠の\\9での時間は"},
      {6, 6, 1, " ★秒数:\\9(30km迄)/\\10(30km以遠)で通話出来る時間"},
  };
  for (const Case& c : cases) {
    const auto legend = feeLegend(c.tab);
    ASSERT_EQ(legend.size(), c.lines) << "tab " << c.tab;
    EXPECT_EQ(legend[c.probe], sj(c.text)) << "tab " << c.tab;
  }
  EXPECT_TRUE(feeLegend(kFeeTabCount).empty());
}

TEST(FeeTable, BandItemsMapBothWays) {
  const std::array<DistanceBand, 8> bands = {
      DistanceBand::InArea,    DistanceBand::Adjacent,  DistanceBand::Upto30km,  DistanceBand::Upto60km,
      DistanceBand::Upto100km, DistanceBand::Upto160km, DistanceBand::Upto170km, DistanceBand::Beyond170km};
  for (int item = 0; item < 8; ++item) {
    EXPECT_EQ(itemBand(item), bands[item]);
    EXPECT_EQ(bandItem(bands[item]), item);
  }
  EXPECT_EQ(bandItem(DistanceBand::UnknownDistance), std::nullopt);
  EXPECT_EQ(bandItem(DistanceBand::Undetermined), std::nullopt);
  EXPECT_EQ(itemBand(-1), std::nullopt);
  EXPECT_EQ(itemBand(8), std::nullopt);
}

}  // namespace
}  // namespace zelk
