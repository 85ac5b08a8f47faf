#include <gtest/gtest.h>

#include <set>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "support/test_support.h"
#include "ui/model/month_browser.h"
#include "ui/model/month_display.h"
#include "ui/ui_fixtures.h"

namespace zelk {
namespace {

using test::Carrier;
using test::Choice;
using test::Line;
using test::makeSettings;
using test::sj;

std::vector<int> writtenRows(const MonthResult& month, const RunSettings& settings) {
  std::vector<int> numbers;
  for (const auto& row : mainRows())
    if (rowWritten(row, month, settings)) numbers.push_back(row.number);
  return numbers;
}

struct WriteCase {
  const char* label;
  test::SettingsCase settings;
  std::vector<std::pair<ResultSlot, std::uint32_t>> slotValues;  // the rest hold 1 + slot number
  std::vector<int> rows;
};

TEST(MonthDisplay, WritesTheRowsOfTheSettingsAndOfThePlansEvaluated) {
  const WriteCase cases[] = {
      {"analog, no carrier, every plan evaluated",
       {},
       {},
       {1,  4,  7,  8,  11, 12, 13, 14, 15, 16, 17, 19, 20, 22, 23, 24, 27, 28, 31, 32, 33,
        36, 37, 45, 46, 49, 50, 51, 52, 53, 54, 57, 58, 59, 60}},
      {"analog Kyushu KDDI",
       {Line::Analog, Carrier::Kyushu, Choice::None, true, false, false, false, 0, false, {}},
       {},
       {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 27, 28,
        29, 31, 32, 33, 34, 35, 36, 37, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60}},
      {"ISDN Tokyo Flets: Telechoice with Areaplus written beside the carrier rows",
       {Line::Isdn, Carrier::Tokyo, Choice::None, false, false, false, true, 0, false, {}},
       {},
       {1,  4,  5,  7,  8,  9,  23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 36, 37, 38, 39, 40, 41, 42,
        43, 44, 45, 46, 47, 49, 50, 51, 52, 53, 54, 55, 57, 58, 59, 60, 61}},
      {"analog: Telewides 10 and Telechoice 15 not evaluated, Telehodai counts absent",
       {},
       {{ResultSlot::Telewides10Fee, 0},
        {ResultSlot::Telechoice15Fee, 0},
        {ResultSlot::TelehodaiOwnMaDesignatedCount, 0xFFFFFFFFu},
        {ResultSlot::TelehodaiAdjacentDesignatedCount, 0xFFFFFFFFu}},
       {1,  4,  7,  8,  11, 12, 13, 14, 15, 19, 20, 22, 23, 24, 31, 32, 33,
        36, 37, 45, 46, 49, 50, 51, 53, 54, 57, 58, 59}},
      {"ISDN: no Areaplus, no Telehodai, no Telechoice",
       {Line::Isdn, Carrier::None, Choice::None, false, false, false, false, 0, false, {}},
       {{ResultSlot::AreaplusFee, 0},
        {ResultSlot::TelehodaiOwnMaFee, 0},
        {ResultSlot::TelehodaiAdjacentFee, 0},
        {ResultSlot::Telechoice10Fee, 0},
        {ResultSlot::Telechoice15Fee, 0}},
       {1, 4, 7, 8, 38, 39, 41, 42, 44}},
  };
  for (const auto& c : cases) {
    MonthResult month = test::monthWithSlots(1, "");
    for (auto [slot, value] : c.slotValues) month.amounts[slot] = value;
    EXPECT_EQ(writtenRows(month, makeSettings(c.settings)), c.rows) << c.label;
  }
}

TEST(MonthDisplay, LabelsNotWrittenKeepTheTextOfTheMonthBefore) {
  const RunSettings s = makeSettings({Line::Analog, Carrier::Tokyo, Choice::Ten, false, true, true, false, 1, false, {}});
  MonthDisplay display;
  EXPECT_EQ(display.value(15), "");  // labels start empty
  display.show(test::monthWithSlots(1000, sj("2000年 9月15日〆分")), s);
  EXPECT_EQ(display.value(15), "\x5C" "   1026");  // Telewides 10
  EXPECT_EQ(display.value(51), "   1010" + sj("度数"));

  MonthResult second = test::monthWithSlots(2000, sj("2000年10月15日〆分"));
  second.amounts[ResultSlot::Telewides10Fee] = 0;                            // not evaluated
  second.amounts[ResultSlot::TelehodaiOwnMaDesignatedCount] = 0xFFFFFFFFu;  // no designated count
  display.show(second, s);
  EXPECT_EQ(display.value(15), "\x5C" "   1026");
  EXPECT_EQ(display.value(16), "\x5C" "   1028");
  EXPECT_EQ(display.value(17), "\x5C" "   1030");
  EXPECT_EQ(display.value(18), "\x5C" "   2027");  // Telewides 15 is written
  EXPECT_EQ(display.value(21), "   2003" + sj("度数"));  // the count follows either fee
  EXPECT_EQ(display.value(51), "   1010" + sj("度数"));
  EXPECT_EQ(display.value(0), "\x5C" "   2014");
  EXPECT_EQ(display.windowCaption(), sj("zelk for Windows Version 4.21    [2000年10月15日〆分]"));
}

TEST(MonthDisplay, CallListTextBecomesGridRows) {
  struct Case {
    const char* text;
    std::vector<CallListRow> rows;
  } const cases[] = {
      {" 2,0312345678,12,3,0999,0,5", {{"0312345678", "12", "3"}, {"0999", "0", "5"}}},
      {" 0", {}},
      {"", {}},
      {"garbage", {}},
      {" 2,123", {{"123", "", ""}, {"", "", ""}}},       // fields missing from the text
      {"1,,0311,,4,5", {{"0311", "4", "5"}}},             // empty fields are skipped
  };
  for (const auto& c : cases) EXPECT_EQ(parseCallList(c.text), c.rows) << c.text;
  EXPECT_EQ(parseCallList("999999999999999,1,2,3").size(), 4u);  // never more rows than fields
  std::string many = "120";
  for (int i = 0; i < 120; ++i) many += ",06" + std::to_string(1000 + i) + ",1,2";
  const auto rows = parseCallList(many);
  ASSERT_EQ(rows.size(), 120u);  // a busy month lists every number
  EXPECT_EQ(rows.back()[0], "061119");
}

TEST(MonthDisplay, AMonthWithoutNumbersLeavesOnlyTheHeader) {
  MonthDisplay display;
  MonthResult month = test::monthWithSlots(1, "");
  month.callList = " 2,0311,1,2,0322,3,4";
  display.show(month, RunSettings{});
  EXPECT_EQ(display.callListRowCount(), 3);
  month.callList = " 0";
  display.show(month, RunSettings{});
  EXPECT_EQ(display.callListRowCount(), 1);
  EXPECT_TRUE(display.callList().empty());
}

MonthList threeMonths() {
  MonthList list;
  list.count = 3;
  const char* titles[] = {"2000年 8月15日〆分", "2000年 9月15日〆分", "2000年10月15日〆分"};
  for (int i = 0; i < 3; ++i) {
    list.months[static_cast<std::size_t>(i)] = test::monthWithSlots(100u * static_cast<unsigned>(i + 1), sj(titles[i]));
    list.months[static_cast<std::size_t>(i)].name = sj(titles[i]);
  }
  list.estimate = test::monthWithSlots(9000, "");
  return list;
}

std::string shownTitle(const MonthBrowser& browser) { return browser.display().cheapestPlan(); }

TEST(MonthBrowser, ViewMenuListsTheStoredMonthsAndShowsTheNewest) {
  MonthBrowser browser(threeMonths(), RunSettings{});
  browser.buildViewMenu();
  EXPECT_EQ(browser.currentMonthIndex(), 2);
  EXPECT_EQ(shownTitle(browser), sj("2000年10月15日〆分"));
  for (std::size_t i = 0; i < kMaxStoredMonths; ++i) EXPECT_EQ(browser.viewMenu()[i].visible, i < 3) << i;
  EXPECT_EQ(browser.viewMenu()[0].caption, sj("2000年 8月15日〆分"));
  EXPECT_FALSE(browser.estimateAvailable());
  EXPECT_FALSE(browser.showEstimate());
}

TEST(MonthBrowser, PreviousAndNextStopAtBothEnds) {
  MonthBrowser browser(threeMonths(), RunSettings{});
  browser.buildViewMenu();
  EXPECT_FALSE(browser.nextMonth());
  EXPECT_EQ(browser.currentMonthIndex(), 2);
  EXPECT_TRUE(browser.previousMonth());
  EXPECT_TRUE(browser.previousMonth());
  EXPECT_EQ(shownTitle(browser), sj("2000年 8月15日〆分"));
  EXPECT_FALSE(browser.previousMonth());
  EXPECT_EQ(browser.currentMonthIndex(), 0);
  EXPECT_TRUE(browser.nextMonth());
  EXPECT_EQ(browser.currentMonthIndex(), 1);
  EXPECT_TRUE(browser.selectMonth(3));
  EXPECT_EQ(browser.currentMonthIndex(), 2);
  EXPECT_FALSE(browser.selectMonth(4));  // an item of an empty slot is hidden
  EXPECT_FALSE(browser.selectMonth(0));
  EXPECT_EQ(browser.currentMonthIndex(), 2);
}

TEST(MonthBrowser, OneMonthStaysWhereItIs) {
  MonthList list = threeMonths();
  list.count = 1;
  MonthBrowser browser(list, RunSettings{});
  browser.buildViewMenu();
  const std::string caption = browser.display().windowCaption();
  EXPECT_FALSE(browser.previousMonth());
  EXPECT_FALSE(browser.nextMonth());
  EXPECT_EQ(browser.currentMonthIndex(), 0);
  EXPECT_EQ(browser.display().windowCaption(), caption);
}

TEST(MonthBrowser, EstimateIsShownWithoutMovingTheMonthIndex) {
  RunSettings s;
  s.estimate = 1;
  MonthList months = threeMonths();
  months.estimateFactor = 1.5f;
  MonthBrowser browser(months, s);
  browser.buildViewMenu();
  EXPECT_TRUE(browser.estimateAvailable());
  EXPECT_TRUE(browser.previousMonth());
  EXPECT_TRUE(browser.showEstimate());
  EXPECT_TRUE(browser.estimateShown());
  EXPECT_EQ(browser.display().windowCaption(), sj("zelk for Windows Version 4.21    [今月推計]"));
  EXPECT_EQ(browser.display().value(0), "\x5C" "   9014");
  EXPECT_EQ(browser.currentMonthIndex(), 1);
  EXPECT_TRUE(browser.nextMonth());  // from the month shown before the estimate
  EXPECT_FALSE(browser.estimateShown());
  EXPECT_EQ(browser.currentMonthIndex(), 2);
  EXPECT_EQ(shownTitle(browser), sj("2000年10月15日〆分"));
}

TEST(MonthBrowser, EstimateOnTheMeterReadingDayShowsTheMessageInstead) {
  RunSettings s;
  s.estimate = 1;
  MonthBrowser browser(threeMonths(), s);
  browser.buildViewMenu();
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  EXPECT_FALSE(browser.showEstimate());
  EXPECT_EQ(sink.messages, std::vector<std::string>{sj("今日は〆日。最新データと一緒だよ(^0^)/")});
  EXPECT_FALSE(browser.estimateShown());
  EXPECT_EQ(shownTitle(browser), sj("2000年10月15日〆分"));
}

}  // namespace
}  // namespace zelk
