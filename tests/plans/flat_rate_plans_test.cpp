#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "month_fixture.h"
#include "platform/cp932.h"
#include "run/plan_settings_of.h"

namespace zelk::test {
namespace {

struct IIplanCase {
  const char* what;
  std::vector<NumberTotals> rows;
  std::uint32_t designated;              // IiplanDesignatedCount
  std::array<std::uint32_t, 4> fees;     // 1200, 3000, 1200 + Timeplus, 3000 + Timeplus
};

TEST(FlatRatePlans, IIplanFees) {
  const std::vector<IIplanCase> cases{
      // 1200: 10·(301 − 180); 3000: 10·(0 + 300); + Timeplus: 10·(301 − 145),
      // 10·0 + 3350.
      {"D = 301", {{.band = kInArea, .number = "1", .feeTotal = 301}}, 301, {1210, 3000, 1560, 3350}},
      {"D = 300", {{.band = kInArea, .number = "1", .feeTotal = 300}}, 300, {1200, 3000, 1550, 3350}},
      // 3000 beyond its 750 units: 10·(751 − 450); + Timeplus 7510 − 4150.
      {"D = 751", {{.band = kInArea, .number = "1", .feeTotal = 751}}, 751, {5710, 3010, 6060, 3360}},
      // No in-area number: D = 0, O = 50 NTT Com units.
      {"no in-area number",
       {{.band = kFar, .outOfPrefecture = 1, .number = "05", .feeTotal = 99, .comUnitsTotal = 50}},
       0,
       {1700, 3500, 2050, 3850}},
      // The designated number is the most-called in-area one, 200, though
      // another prefecture is called more: O = 400 + 100, OT = 400 + 60.
      {"the most-called in-area number",
       {{.band = kFar, .outOfPrefecture = 1, .number = "05", .feeTotal = 500, .comUnitsTotal = 400},
        {.band = kInArea, .number = "1", .feeTotal = 100, .localPlanUnitsRest = 60},
        {.band = kInArea, .number = "2", .feeTotal = 200}},
       200,
       {6200, 8000, 6150, 7950}},
  };
  for (const auto& c : cases) {
    MonthFixture m;
    m.settings.isdn = 1;
    for (const auto& row : c.rows) m.add(row);
    m.evaluate();
    EXPECT_EQ(m.month.amounts[ResultSlot::IiplanDesignatedCount], c.designated) << c.what;
    EXPECT_EQ(m.month.amounts[ResultSlot::Iiplan1200Fee], c.fees[0]) << c.what;
    EXPECT_EQ(m.month.amounts[ResultSlot::Iiplan3000Fee], c.fees[1]) << c.what;
    EXPECT_EQ(m.month.amounts[ResultSlot::Iiplan1200WithTimeplusFee], c.fees[2]) << c.what;
    EXPECT_EQ(m.month.amounts[ResultSlot::Iiplan3000WithTimeplusFee], c.fees[3]) << c.what;
    EXPECT_EQ(m.month.amounts[ResultSlot::Iiplan1200WithAreaplusFee], 0u) << c.what;  // no adjacent MA
    EXPECT_EQ(m.month.amounts[ResultSlot::Iiplan3000WithAreaplusFee], 0u) << c.what;
  }
}

TEST(FlatRatePlans, IIplanIsForIsdnOnly) {
  MonthFixture m;
  m.add({.band = kInArea, .number = "1", .feeTotal = 301});
  m.evaluate();
  EXPECT_EQ(m.month.amounts[ResultSlot::Iiplan1200Fee], 0u);
  EXPECT_EQ(m.month.amounts[ResultSlot::IiplanDesignatedCount], 0u);
}

TEST(FlatRatePlans, IIplanProjection) {
  // D = 200, O = 0, f = 2: h = 4000 is beyond the 1200 plan's 3000 yen:
  // 0 + 4000 − 1800; within the 3000 plan's 7500: 0 + 3000.
  MonthFixture m;
  m.settings.isdn = 1;
  m.add({.band = kInArea, .number = "1", .feeTotal = 200});
  m.evaluate(2.0f);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::Iiplan1200Fee], 2200u);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::Iiplan3000Fee], 3000u);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::IiplanDesignatedCount], 400u);
}

TEST(FlatRatePlans, IIplanTieKeepsTimeplusOfferedBeforeAreaplus) {
  // D = 200 ("1"). The others: O = 100 + 100, OT = 60 + 100, OA = 100 + 60.
  // 1200: 10·(200 + 120) = 3200; + Timeplus and + Areaplus both 10·(160 +
  // 155) = 3150; 3000: 5000, 4950, 4950. Nothing else is as cheap: normal
  // 4000, Timeplus 10·310 + 350, Areaplus + Timeplus 10·270 + 700, Flets
  // 10·200 + 4500, Telehodai from 2400 + 10·400.
  MonthFixture m;
  m.settings.isdn = 1;
  m.knownOrigin(true);
  m.add({.band = kInArea, .number = "1", .feeTotal = 200, .localFeeRest = 200,
         .localPlanUnitsRest = 150, .feeRest = 200});
  m.add({.band = kInArea, .number = "2", .feeTotal = 100, .localFeeRest = 100,
         .localPlanUnitsRest = 60, .feeRest = 100});
  m.add({.band = kAdjacent, .number = "0931", .feeTotal = 100, .adjacentFeeRest = 100,
         .adjacentAsLocalUnitsRest = 60, .feeRest = 100});
  const BestPlan best = m.evaluate();
  const std::array<std::pair<ResultSlot, std::uint32_t>, 6> expected{{
      {ResultSlot::Iiplan1200Fee, 3200},
      {ResultSlot::Iiplan3000Fee, 5000},
      {ResultSlot::Iiplan1200WithAreaplusFee, 3150},
      {ResultSlot::Iiplan3000WithAreaplusFee, 4950},
      {ResultSlot::Iiplan1200WithTimeplusFee, 3150},
      {ResultSlot::Iiplan3000WithTimeplusFee, 4950},
  }};
  for (const auto& [slot, fee] : expected) EXPECT_EQ(m.month.amounts[slot], fee) << slotNumber(slot);
  EXPECT_EQ(best.fee, 3150u);
  EXPECT_EQ(best.name, sjis("ｉ・アイプラン1200+INSタイムプラス"));
}

TEST(FlatRatePlans, TelehodaiTopRowsOfBothVariants) {
  // Late-night units: in-area 50, 40, 30; adjacent 20, 10.
  // Variant 0: targets are the in-area numbers (120), top two 50 + 40; the
  // rest, 30 + 20 + 10, at the normal charge: 1800 + 600.
  // Variant 1: targets all five (150); at most one in-area number among the
  // top two, so 50 and the best adjacent 20; the rest 40 + 30 + 10: 3600 + 800.
  MonthFixture m;
  m.knownOrigin(true);
  const std::pair<const char*, std::uint32_t> inArea[] = {{"1", 50}, {"2", 40}, {"3", 30}};
  for (const auto& [number, late] : inArea)
    m.add({.band = kInArea, .number = number, .feeTotal = late, .localFeeLate = late,
           .feeLate = late});
  const std::pair<const char*, std::uint32_t> adjacent[] = {{"0931", 20}, {"0932", 10}};
  for (const auto& [number, late] : adjacent)
    m.add({.band = kAdjacent, .number = number, .feeTotal = late, .adjacentFeeLate = late,
           .feeLate = late});
  m.evaluate();
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiOwnMaTargetCount], 120u);
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiOwnMaTopTwoCount], 90u);
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiAdjacentTargetCount], 150u);
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiAdjacentTopTwoCount], 70u);
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiOwnMaFee], 2400u);
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiAdjacentFee], 4400u);
}

TEST(FlatRatePlans, TelehodaiNamesOnIsdnAndWithTheKyushuCarrier) {
  // One in-area number of 1000 late-night units: Telehodai 2400 covers it all.
  MonthFixture m;
  m.settings.isdn = 1;
  m.settings.regionalCarrier = RegionalCarrier::Kyushu;
  m.add({.band = kInArea, .number = "1", .feeTotal = 1000, .localFeeLate = 1000,
         .localPlanUnitsLate = 1000, .feeLate = 1000, .relayChargeLate = 100000,
         .relayReducedLate = 100000});
  const BestPlan best = m.evaluate();
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiOwnMaFee], 2400u);
  // The top row's relay charge is not counted.
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiOwnMaWithCarrierFee], 2400u);
  EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiOwnMaWithKyushuPlanFee], 2500u);
  EXPECT_EQ(best.name, sjis("INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ"));
}

struct DesignatedCase {
  const char* what;
  std::array<const char*, 2> numbers;
  std::uint8_t count;
  std::uint8_t adjacentFlag;
  std::optional<std::pair<int, int>> hidden;  // byte, bit
  bool originHasAdjacent;
  std::uint32_t ownMaDesignated, adjacentDesignated;
};

TEST(FlatRatePlans, TelehodaiDesignatedCount) {
  // Late-night units: "1111" 7, "2222" 5 (in-area), "0931234" 3 (adjacent).
  const std::vector<DesignatedCase> cases{
      {"one in-area number", {"1111", ""}, 1, 0, std::nullopt, true, 7, kNoCount},
      {"two in-area numbers", {"1111", "2222"}, 2, 0, std::nullopt, true, 12, kNoCount},
      {"an adjacent number counts in variant 1", {"1111", "0931234"}, 2, 1, std::nullopt, true,
       kNoCount, 10},
      {"an invalid list", {"1111", "2222"}, TelehodaiNumbers::kInvalid, 0, std::nullopt, true,
       kNoCount, kNoCount},
      {"no numbers", {"", ""}, 0, 0, std::nullopt, true, kNoCount, kNoCount},
      {"hidden by !67-", {"1111", ""}, 1, 0, std::pair{6, 7}, true, kNoCount, kNoCount},
      {"hidden by !77-", {"0931234", ""}, 1, 1, std::pair{7, 7}, true, kNoCount, kNoCount},
      {"another bit of byte 6 hides nothing", {"1111", ""}, 1, 0, std::pair{6, 0}, true, 7,
       kNoCount},
      {"only the first count numbers", {"1111", "2222"}, 1, 0, std::nullopt, true, 7, kNoCount},
      // Without adjacent MAs variant 1 is not evaluated: 11 to 13 stay 0.
      {"no variant 1", {"1111", ""}, 1, 0, std::nullopt, false, 7, 0},
  };
  for (const auto& c : cases) {
    MonthFixture m;
    m.knownOrigin(c.originHasAdjacent);
    m.telehodai.number = {c.numbers[0], c.numbers[1]};
    m.telehodai.count = c.count;
    m.telehodai.adjacent = c.adjacentFlag;
    Settings settings;
    if (c.hidden) settings.hiddenFlags[c.hidden->first] |= 1u << c.hidden->second;
    m.settings.hideDesignatedTelehodai = planSettingsOf(settings).hideDesignatedTelehodai;
    m.add({.band = kInArea, .number = "1111", .feeTotal = 7, .feeLate = 7});
    m.add({.band = kInArea, .number = "2222", .feeTotal = 5, .feeLate = 5});
    m.add({.band = kAdjacent, .number = "0931234", .feeTotal = 3, .feeLate = 3});
    m.evaluate(2.0f);
    EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiOwnMaDesignatedCount], c.ownMaDesignated) << c.what;
    EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiAdjacentDesignatedCount], c.adjacentDesignated) << c.what;
    const auto doubled = [](std::uint32_t v) { return v == kNoCount || v == 0 ? v : 2 * v; };
    EXPECT_EQ(m.estimate.amounts[ResultSlot::TelehodaiOwnMaDesignatedCount], doubled(c.ownMaDesignated)) << c.what;
    EXPECT_EQ(m.estimate.amounts[ResultSlot::TelehodaiAdjacentDesignatedCount], doubled(c.adjacentDesignated))
        << c.what;
    if (!c.originHasAdjacent) {
      EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiAdjacentTargetCount], 0u) << c.what;
      EXPECT_EQ(m.month.amounts[ResultSlot::TelehodaiAdjacentTopTwoCount], 0u) << c.what;
    }
  }
}

TEST(FlatRatePlans, FletsIsdnWithASingleNumber) {
  MonthFixture m;
  m.add({.band = kFar, .outOfPrefecture = 1, .number = "05", .feeTotal = 80,
         .comUnitsTotal = 70, .feeRest = 80});
  m.evaluate(2.0f);
  EXPECT_EQ(m.month.amounts[ResultSlot::FletsIsdnFee], 4500u);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::FletsIsdnFee], 4500u);
}

TEST(FlatRatePlans, FletsIsdnFreesTheMostUsedNumber) {
  // "1" has 20 units, "2" 25 (all outside the late night): "2" is free and
  // "1" costs 10·20; the other prefecture's number its NTT Com units 10·7.
  MonthFixture m;
  m.add({.band = kInArea, .number = "1", .feeTotal = 20, .feeLate = 10, .feeRest = 10});
  m.add({.band = kInArea, .number = "2", .feeTotal = 25, .feeRest = 25});
  m.add({.band = kFar, .outOfPrefecture = 1, .number = "05", .feeTotal = 9, .comUnitsTotal = 7,
         .feeRest = 9});
  m.evaluate();
  EXPECT_EQ(m.month.amounts[ResultSlot::FletsIsdnFee], 4770u);
}

TEST(FlatRatePlans, HiddenFletsIsdnStillWins) {
  // An ISDN line with one in-area number of 1000 units outside the late
  // night: Flets ISDN 4500 beats i-Iplan 3000 (10·(1000 − 450)) and the rest.
  // Projected (f = 2) it stays 4500 in the estimate but does not compete:
  // i-Iplan 3000 projects to 20000 − 4500.
  MonthFixture m;
  m.settings.isdn = 1;
  m.settings.hideFletsFee = true;  // !b0-
  m.add({.band = kInArea, .number = "1", .feeTotal = 1000, .localFeeRest = 1000,
         .localPlanUnitsRest = 1000, .feeRest = 1000});
  const BestPlan best = m.evaluate(2.0f);
  EXPECT_EQ(m.month.amounts[ResultSlot::FletsIsdnFee], 0u);
  EXPECT_EQ(best.fee, 4500u);
  EXPECT_EQ(best.name, sjis("フレッツ・Isdn"));
  EXPECT_EQ(m.estimate.amounts[ResultSlot::FletsIsdnFee], 4500u);
  EXPECT_EQ(best.projectedFee, 15500u);
  EXPECT_EQ(best.projectedName, sjis("ｉ・アイプラン3000"));
}

}  // namespace
}  // namespace zelk::test
