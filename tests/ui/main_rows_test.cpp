#include <gtest/gtest.h>

#include <set>

#include "support/test_support.h"
#include "ui/model/main_rows.h"
#include "ui/model/month_report.h"
#include "ui/ui_fixtures.h"

namespace zelk {
namespace {

using test::Carrier;
using test::Choice;
using test::Line;
using test::makeSettings;
using test::sj;

std::vector<int> rowsInUse(const RunSettings& settings) {
  std::vector<int> numbers;
  for (const auto& row : mainRows())
    if (rowInUse(row, settings)) numbers.push_back(row.number);
  return numbers;
}

struct VisibleCase {
  const char* label;
  test::SettingsCase settings;
  std::vector<int> rows;
};

TEST(MainRows, RowsInUseFollowTheSettingsAndTheHideSwitches) {
  const VisibleCase cases[] = {
      {"analog, nothing else", {}, {1, 4, 7, 8, 11, 12, 13, 14, 15, 45, 46, 50, 51}},
      {"analog Tokyo T10 KDDI with own and adjacent MAs, a designated own-MA number",
       {Line::Analog, Carrier::Tokyo, Choice::Ten, true, true, true, false, 1, false, {}},
       {1,  2,  3,  4,  5,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
        27, 28, 29, 31, 32, 33, 34, 36, 37, 45, 46, 47, 49, 50, 51, 52, 53, 54, 55, 57, 58, 59}},
      {"ISDN Kyushu T30 Flets, own and adjacent MAs, a designated adjacent number",
       {Line::Isdn, Carrier::Kyushu, Choice::Thirty, false, true, true, true, 2, true, {}},
       {1,  4,  5,  6,  7,  8,  9,  10, 23, 24, 25, 26, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43,
        44, 45, 46, 47, 48, 49, 50, 51, 53, 54, 55, 56, 57, 58, 59, 60, 61}},
      {"ISDN T15, own MA without adjacent MAs",
       {Line::Isdn, Carrier::None, Choice::Fifteen, false, true, false, false, 0, false, {}},
       {1, 4, 7, 8, 27, 28, 31, 38, 39, 41, 42, 44, 45, 46, 50, 51}},
      {"analog T15 with adjacent MAs but the own MA unknown: no Telewides rows",
       {Line::Analog, Carrier::None, Choice::Fifteen, false, false, true, false, 0, false, {}},
       {1, 4, 7, 8, 11, 12, 13, 14, 15, 27, 28, 31, 32, 33, 36, 37, 45, 46, 49, 50, 51, 53, 54, 57, 58, 59}},
      {"!02- hides rows 2 and 10, !30- rows 16, 18 and 19",
       {Line::Analog, Carrier::Kyushu, Choice::None, true, true, false, false, 0, false, {"02", "30"}},
       {1, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 17, 20, 21, 22, 45, 46, 47, 48, 50, 51}},
      {"count switches hide their rows in pairs",
       {Line::Analog, Carrier::None, Choice::None, false, false, true, false, 0, false, {"17", "57", "67", "77"}},
       {1, 4, 11, 12, 13, 14, 15, 32, 33, 45, 46, 49, 53, 54, 57}},
      {"an invalid Telehodai list shows no designated count",
       {Line::Analog, Carrier::None, Choice::None, false, false, true, false, 255, false, {}},
       {1, 4, 7, 8, 11, 12, 13, 14, 15, 32, 33, 36, 37, 45, 46, 49, 50, 51, 53, 54, 57, 58, 59}},
      {"ISDN without Flets, Flets switch on its own",
       {Line::Isdn, Carrier::None, Choice::None, false, false, false, true, 0, false, {"b0", "90", "97"}},
       {1, 4, 7, 8, 39, 41, 42, 45, 46, 50, 51}},
      {"!80- and !87- leave every row in place",
       {Line::Analog, Carrier::None, Choice::None, false, false, false, false, 0, false, {"80", "87"}},
       {1, 4, 7, 8, 11, 12, 13, 14, 15, 45, 46, 50, 51}},
  };
  for (const auto& c : cases) EXPECT_EQ(rowsInUse(makeSettings(c.settings)), c.rows) << c.label;
}

TEST(MainRows, CarrierRowsNeverAppearWithoutACarrier) {
  const std::set<int> carrierRows = {5, 6, 9, 10, 18, 21, 25, 29, 34, 35, 47, 48, 55, 56};
  for (Line line : {Line::Analog, Line::Isdn}) {
    for (Choice choice : {Choice::None, Choice::Ten, Choice::Fifteen, Choice::Thirty}) {
      RunSettings s = makeSettings({line, Carrier::None, choice, true, true, true, true, 1, false, {}});
      for (int number : rowsInUse(s)) EXPECT_FALSE(carrierRows.count(number)) << number;
    }
  }
}

struct CaptionCase {
  int row;
  test::SettingsCase settings;
  const char* caption;
};

TEST(MainRows, BuiltCaptionsFollowLineCarrierAndTelechoice) {
  const auto isdn = [](Carrier carrier, Choice choice) {
    return test::SettingsCase{Line::Isdn, carrier, choice, false, true, true, false, 0, false, {}};
  };
  const auto analog = [](Carrier carrier, Choice choice) {
    return test::SettingsCase{Line::Analog, carrier, choice, false, true, true, false, 0, false, {}};
  };
  const CaptionCase cases[] = {
      {1, analog(Carrier::None, Choice::None), "通常料金"},
      {4, analog(Carrier::None, Choice::None), "タイムプラス(定額通話料 \\200)"},
      {4, isdn(Carrier::None, Choice::None), "INSタイムプラス(定額通話料 \\350)"},
      {5, isdn(Carrier::Tokyo, Choice::None), "INSタイムプラス(区域内)+東京電話(その他)"},
      {5, analog(Carrier::Kyushu, Choice::None), "タイムプラス(区域内)+九州電話(その他)"},
      {6, isdn(Carrier::Kyushu, Choice::None), "INSタイムプラス(区域内)+九州うれしい値プラン(その他)"},
      {9, analog(Carrier::Tokyo, Choice::None), "東京電話"},
      {9, isdn(Carrier::Kyushu, Choice::None), "九州電話"},
      {18, analog(Carrier::Kyushu, Choice::None), "テレワイズ10(隣接区域・区域外)+九州電話(区域内)"},
      {23, analog(Carrier::None, Choice::Ten), "テレチョイス10(定額通話料 \\100)"},
      {23, isdn(Carrier::None, Choice::Thirty), "INSテレチョイス30(定額通話料 \\200)"},
      {24, analog(Carrier::None, Choice::Thirty), "テレチョイス30(適用区域)+タイムプラス(区域内)"},
      {25, isdn(Carrier::Kyushu, Choice::Thirty), "INSテレチョイス30(適用区域)+九州電話(適用区域外)"},
      {26, isdn(Carrier::None, Choice::Ten), "INSテレチョイス10(適用区域)+INSエリアプラス(適用区域)"},
      {27, isdn(Carrier::None, Choice::Fifteen), "INSテレチョイス15(定額通話料 \\400)"},
      {29, isdn(Carrier::Tokyo, Choice::Ten), "INSテレチョイス15(適用区域)+東京電話(適用区域外)"},
      {32, isdn(Carrier::None, Choice::None), "INSエリアプラス(定額通話料 \\350)"},
      {35, isdn(Carrier::Kyushu, Choice::None), "INSエリアプラス(対象通話のみ)+九州うれしい値ﾌﾟﾗﾝ(その他)"},
      {38, isdn(Carrier::None, Choice::None), "ｉ・アイプラン1200(定額通話料 \\1200)"},
      {45, isdn(Carrier::None, Choice::None), "INSテレホーダイホーム 市内プラン(定額通話料 \\2400)"},
      {47, isdn(Carrier::Tokyo, Choice::None), "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 市内P(時間内上位2番号)+東京電話(その他)"},
      {47, analog(Carrier::Kyushu, Choice::None), "テレホーダイ1800(時間内上位2番号)+九州電話(その他)"},
      {48, analog(Carrier::Kyushu, Choice::None), "ﾃﾚﾎｰﾀﾞｲ1800(上位2番号)+九州うれしい値ﾌﾟﾗﾝ(その他)"},
      {55, isdn(Carrier::Tokyo, Choice::None), "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ 隣接P(時間内上位2番号)+東京電話(その他)"},
      {57, analog(Carrier::None, Choice::None), "テレホーダイ3600(時間内上位2番号)+ｴﾘｱﾌﾟﾗｽ(区域内)"},
      {61, isdn(Carrier::None, Choice::None), "フレッツ・Isdn(定額通信料 \\4500)"},
  };
  for (const auto& c : cases) {
    const MainRow& row = mainRows()[static_cast<std::size_t>(c.row - 1)];
    EXPECT_EQ(rowCaption(row, makeSettings(c.settings)), sj(c.caption)) << c.row << " " << c.caption;
  }
  // The yen sign of the captions is the byte 0x5C; half-width katakana are one byte each.
  EXPECT_EQ(sj("\\200"), "\x5C" "200");
  EXPECT_EQ(sj("ﾌﾟﾗﾝ"), "\xCC\xDF\xD7\xDD");
}

TEST(MainRows, NamesAreTheComponentNamesInLayoutOrder) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < kMainRowCount; ++i) {
    const MainRow& row = mainRows()[i];
    EXPECT_EQ(row.number, static_cast<int>(i) + 1);
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
  }
  EXPECT_EQ(panelName(mainRows()[0]), "Panel_NormalFee");
  EXPECT_EQ(labelName(mainRows()[22]), "Label_Telechoice10Fee");
  EXPECT_EQ(panelName(mainRows()[60]), "Panel_FletsiFee");
  EXPECT_EQ(rowHint(mainRows()[1]), sj("旧KDDの001サービスです。0077や0070ではありません。"));
  EXPECT_EQ(rowHint(mainRows()[3]), "");
}

TEST(MainRows, CountRowsUseTheSubFontAndTheCountFormat) {
  const std::set<int> countRows = {7, 8, 15, 22, 31, 36, 37, 44, 50, 51, 52, 58, 59, 60};
  for (const auto& row : mainRows())
    EXPECT_EQ(row.kind == RowKind::Count, countRows.count(row.number) == 1) << row.number;
  EXPECT_EQ(formatRowValue(RowKind::Fee, 7450), "\x5C" "   7450");
  EXPECT_EQ(formatRowValue(RowKind::Count, 45), "     45" + sj("度数"));
  EXPECT_EQ(formatRowValue(RowKind::Fee, 4294967295u), "\x5C" "4294967295");
}

TEST(MonthReport, ListsTheRowsInUseWithTheirValuesInOrder) {
  RunSettings s = makeSettings({Line::Analog, Carrier::Tokyo, Choice::None, false, false, false, false, 0, false,
                             {"20", "21", "22", "23", "27", "60", "61", "62", "67"}});
  MonthResult month = test::monthWithSlots(1000, sj("2000年 9月15日〆分"));
  month.name = sj("タイムプラス");
  month.callList = " 2,0312345678,12,3,0999,0,5";
  const MonthReport report = reportMonth(month, s);
  EXPECT_EQ(report.windowCaption, sj("zelk for Windows Version 4.21    [2000年 9月15日〆分]"));
  const std::vector<ReportRow> expected = {
      {sj("通常料金"), "\x5C" "   1014"},
      {sj("タイムプラス(定額通話料 \\200)"), "\x5C" "   1017"},
      {sj("タイムプラス(区域内)+東京電話(その他)"), "\x5C" "   1018"},
      {sj("タイムプラス適用区域内通常利用度数"), "   1000" + sj("度数")},
      {sj("タイムプラス適用区域内サービス利用時度数"), "   1001" + sj("度数")},
      {sj("東京電話"), "\x5C" "   1020"},
  };
  ASSERT_EQ(report.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(report.rows[i].caption, expected[i].caption) << i;
    EXPECT_EQ(report.rows[i].value, expected[i].value) << i;
  }
  EXPECT_TRUE(report.cheapestShown);
  EXPECT_EQ(report.cheapestCaption, sj("最適プラン"));
  EXPECT_EQ(report.cheapestPlan, sj("タイムプラス"));
  EXPECT_TRUE(report.callListShown);
  EXPECT_EQ(report.callListHeader[2], sj("非対象時間度数"));
  ASSERT_EQ(report.callList.size(), 2u);
  EXPECT_EQ(report.callList[1], (CallListRow{"0999", "0", "5"}));
}

TEST(MonthReport, HideSwitchesRemoveThePanelsBelowAndTheEstimateHasItsLabel) {
  RunSettings s = makeSettings({Line::Analog, Carrier::None, Choice::None, false, false, false, false, 0, false,
                             {"80", "87"}});
  s.estimate = 1;
  MonthList months;
  months.count = 1;
  months.months[0] = test::monthWithSlots(1, sj("2000年10月15日〆分"));
  months.estimate = test::monthWithSlots(500, "");
  const MonthReport report = reportEstimate(months, s);
  EXPECT_FALSE(report.cheapestShown);
  EXPECT_FALSE(report.callListShown);
  EXPECT_EQ(report.windowCaption, sj("zelk for Windows Version 4.21    [今月推計]"));
  EXPECT_EQ(report.rows.front().value, "\x5C" "    514");
}

}  // namespace
}  // namespace zelk
