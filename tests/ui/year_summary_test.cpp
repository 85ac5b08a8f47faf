// The year summary: which plans it lists (those the main window shows, and
// only when every month evaluated them), their totals, ranking and cheapest
// months, and the CSV of the same months.
#include <gtest/gtest.h>

#include <map>

#include "support/test_support.h"
#include "ui/model/main_rows.h"
#include "ui/model/year_summary.h"
#include "ui/ui_fixtures.h"

namespace zelk {
namespace {

using test::Line;
using test::makeSettings;
using test::sj;
using enum ResultSlot;
using Fees = std::map<ResultSlot, std::uint32_t>;  // other slots 0

MonthList monthsOf(const std::vector<Fees>& months) {
  MonthList list;
  for (const Fees& fees : months) {
    MonthResult& m = list.months[static_cast<std::size_t>(list.count)];
    for (const auto& [slot, yen] : fees) m.amounts[slot] = yen;
    m.title = sj("2000年" + std::to_string(list.count + 1) + "月15日〆分");
    ++list.count;
  }
  return list;
}

// An analog line: 通常料金, タイムプラス, テレジョーズ, and the テレホーダイ rows
// when its fee is set.
const Fees kMonth1{{NormalFee, 1000},       {TimeplusFee, 900},       {Telejoze2000Fee, 1750},
                   {Telejoze3000Fee, 2600}, {Telejoze5000Fee, 4300}, {Telejoze8000Fee, 6850},
                   {TelehodaiOwnMaFee, 1800}, {TelehodaiOwnMaWithTimeplusFee, 1700}};
const Fees kMonth2{{NormalFee, 3000},       {TimeplusFee, 2500},      {Telejoze2000Fee, 2000},
                   {Telejoze3000Fee, 2600}, {Telejoze5000Fee, 4300}, {Telejoze8000Fee, 6850},
                   {TelehodaiOwnMaFee, 1800}, {TelehodaiOwnMaWithTimeplusFee, 2900}};
Fees withoutTelehodai(Fees fees) {
  fees.erase(TelehodaiOwnMaFee);
  fees.erase(TelehodaiOwnMaWithTimeplusFee);
  return fees;
}

struct SummaryCase {
  const char* label;
  test::SettingsCase settings;
  std::vector<Fees> months;
  std::vector<ResultSlot> rankedSlots;
  std::map<ResultSlot, int> monthsCheapest;  // slots not named: 0
  int unfinishedMonth = -1;
};

const SummaryCase kCases[] = {
    {"a hidden plan is left out, the month's cheapest counts among the listed only",
     {Line::Analog, {}, {}, false, false, false, false, 0, false, {"10"}},
     {kMonth1, kMonth2},
     {TelehodaiOwnMaFee, Telejoze2000Fee, NormalFee, TelehodaiOwnMaWithTimeplusFee, Telejoze3000Fee,
      Telejoze5000Fee, Telejoze8000Fee},
     {{NormalFee, 1}, {TelehodaiOwnMaFee, 1}}},
    {"today's month counts like the others, and its bar says it is open",
     {Line::Analog, {}, {}, false, false, false, false, 0, false, {"10"}},
     {kMonth1, kMonth2},
     {TelehodaiOwnMaFee, Telejoze2000Fee, NormalFee, TelehodaiOwnMaWithTimeplusFee, Telejoze3000Fee,
      Telejoze5000Fee, Telejoze8000Fee},
     {{NormalFee, 1}, {TelehodaiOwnMaFee, 1}},
     1},
    {"a plan one month did not evaluate has no total",
     {},
     {kMonth1, withoutTelehodai(kMonth2)},
     {TimeplusFee, Telejoze2000Fee, NormalFee, Telejoze3000Fee, Telejoze5000Fee, Telejoze8000Fee},
     {{TimeplusFee, 1}, {Telejoze2000Fee, 1}}},
    {"equal totals keep the window order; a tie in a month counts for both",
     {},
     {withoutTelehodai({{NormalFee, 1000},
                        {TimeplusFee, 1000},
                        {Telejoze2000Fee, 5000},
                        {Telejoze3000Fee, 5000},
                        {Telejoze5000Fee, 5000},
                        {Telejoze8000Fee, 5000}})},
     {NormalFee, TimeplusFee, Telejoze2000Fee, Telejoze3000Fee, Telejoze5000Fee, Telejoze8000Fee},
     {{NormalFee, 1}, {TimeplusFee, 1}, {Telejoze2000Fee, 0}}},
    {"ISDN: the i-Iplan and Flets rows instead of Telejoze",
     {Line::Isdn, {}, {}, false, false, false, true, 0, false, {}},
     {{{NormalFee, 5000},
       {TimeplusFee, 4000},
       {Iiplan1200Fee, 3000},
       {Iiplan3000Fee, 3500},
       {Iiplan1200WithTimeplusFee, 2900},
       {Iiplan3000WithTimeplusFee, 3600},
       {FletsIsdnFee, 4500}}},
     {Iiplan1200WithTimeplusFee, Iiplan1200Fee, Iiplan3000Fee, Iiplan3000WithTimeplusFee, TimeplusFee,
      FletsIsdnFee, NormalFee},
     {{Iiplan1200WithTimeplusFee, 1}}},
    {"no month, no plan", {}, {}, {}, {}},
};

TEST(YearSummary, ListsRanksAndCountsThePlansOfTheWindow) {
  for (const SummaryCase& c : kCases) {
    SCOPED_TRACE(c.label);
    RunSettings settings = makeSettings(c.settings);
    settings.unfinishedMonth = c.unfinishedMonth;
    const MonthList months = monthsOf(c.months);
    const YearSummary summary = summarizeYear(months, settings);
    EXPECT_EQ(summary.months, static_cast<int>(c.months.size()));
    std::vector<ResultSlot> slots;
    for (const PlanTotal& plan : summary.plans) slots.push_back(plan.slot);
    EXPECT_EQ(slots, c.rankedSlots);

    std::int64_t normal = 0;
    for (const Fees& fees : c.months) normal += fees.at(NormalFee);
    for (const PlanTotal& plan : summary.plans) {
      SCOPED_TRACE(slotNumber(plan.slot));
      std::int64_t sum = 0;
      for (int m = 0; m < months.count; ++m) sum += months.months[static_cast<std::size_t>(m)].amounts[plan.slot];
      EXPECT_EQ(plan.total, sum);
      EXPECT_EQ(plan.versusNormal, sum - normal);
      const auto cheapest = c.monthsCheapest.find(plan.slot);
      EXPECT_EQ(plan.monthsCheapest, cheapest == c.monthsCheapest.end() ? 0 : cheapest->second);
      // The caption is the one the window shows for the slot.
      const auto row = std::find_if(mainRows().begin(), mainRows().end(), [&](const MainRow& r) {
        return r.slot == plan.slot && r.kind == RowKind::Fee;
      });
      ASSERT_NE(row, mainRows().end());
      EXPECT_TRUE(rowInUse(*row, settings));
      EXPECT_EQ(plan.caption, rowCaption(*row, settings));
    }
    if (summary.cheapest()) {
      EXPECT_EQ(summary.saving(), normal - summary.plans.front().total);
      ASSERT_EQ(summary.bars.size(), c.months.size());
      for (std::size_t m = 0; m < summary.bars.size(); ++m) {
        EXPECT_EQ(summary.bars[m].normal, c.months[m].at(NormalFee));
        EXPECT_EQ(summary.bars[m].periodBest, c.months[m].at(summary.plans.front().slot));
        EXPECT_EQ(summary.bars[m].unfinished, static_cast<int>(m) == c.unfinishedMonth);
        EXPECT_EQ(c.monthsCheapest.count(summary.bars[m].monthBestSlot), 1u);
      }
    } else {
      EXPECT_TRUE(c.rankedSlots.empty());
    }
  }
}

TEST(YearSummary, CsvHasOneRowPerMonthUnderTheCaptions) {
  const RunSettings settings = makeSettings({Line::Analog, {}, {}, false, false, false, false, 0, false, {"10"}});
  const std::string csv = yearCsv(monthsOf({kMonth1, kMonth2}), settings);
  EXPECT_EQ(csv,
            "\xEF\xBB\xBF"
            "締め日,通常料金,テレジョーズ2000(定額通話料 ¥1750),テレジョーズ3000(定額通話料 ¥2600),"
            "テレジョーズ5000(定額通話料 ¥4300),テレジョーズ8000(定額通話料 ¥6850),"
            "テレホーダイ1800(定額通話料 ¥1800),テレホーダイ1800(時間内上位2番号)+ﾀｲﾑﾌﾟﾗｽ(区域内)\r\n"
            "2000-01-15,1000,1750,2600,4300,6850,1800,1700\r\n"
            "2000-02-15,3000,2000,2600,4300,6850,1800,2900\r\n");
}

TEST(YearSummary, ClosingDatesReadFromTheTitles) {
  const struct {
    std::string title;
    const char* date;
  } cases[] = {
      {sj("2000年 9月15日〆分"), "2000-09-15"},
      {sj("2001年12月 1日〆分"), "2001-12-01"},
      {sj("今月推計"), "今月推計"},  // not a date: kept as it reads
      {"", ""},
      {"2000", "2000"},
  };
  for (const auto& c : cases) EXPECT_EQ(closingDateOfTitle(c.title), c.date) << c.date;
}

}  // namespace
}  // namespace zelk
