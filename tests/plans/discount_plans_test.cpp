#include <gtest/gtest.h>

#include <array>
#include <string>

#include "month_fixture.h"
#include "platform/cp932.h"

namespace zelk::test {
namespace {

// An analog line with the Kyushu carrier and KDDI, an own MA with one
// adjacent MA, and three numbers: in-area "1234", adjacent "0931112222" and
// "0451234567" in another prefecture.
MonthFixture kyushuMonth() {
  MonthFixture m;
  m.knownOrigin(true);
  m.settings.regionalCarrier = RegionalCarrier::Kyushu;
  m.settings.kddi = 1;
  m.add({.band = kInArea, .number = "1234", .feeTotal = 30, .comUnitsTotal = 30,
         .localFeeLate = 10, .localPlanUnitsLate = 6, .localFeeRest = 20, .localPlanUnitsRest = 12,
         .feeLate = 10, .feeRest = 20, .comUnitsOffPeak = 15, .peakCharge = 10,
         .comUnitsLate = 10, .comUnitsRest = 20, .relayChargeLate = 400, .relayChargeRest = 800,
         .relayReducedLate = 300, .relayReducedRest = 600, .kddiChargeLate = 5000,
         .kddiChargeRest = 10000});
  m.add({.band = kAdjacent, .number = "0931112222", .feeTotal = 40, .comUnitsTotal = 38,
         .adjacentFeeLate = 25, .adjacentAsLocalUnitsLate = 12, .adjacentFeeRest = 15,
         .adjacentAsLocalUnitsRest = 8, .feeLate = 25, .feeRest = 15, .comUnitsOffPeak = 20,
         .peakCharge = 10, .comUnitsLate = 24, .comUnitsRest = 14, .relayChargeLate = 900,
         .relayChargeRest = 500, .relayReducedLate = 700, .relayReducedRest = 400,
         .kddiChargeLate = 8000, .kddiChargeRest = 6000});
  m.add({.band = kFar, .outOfPrefecture = 1, .number = "0451234567", .feeTotal = 60,
         .comUnitsTotal = 50, .feeLate = 20, .feeRest = 40, .comUnitsOffPeak = 25,
         .peakCharge = 20, .comUnitsLate = 15, .comUnitsRest = 35, .relayChargeLate = 2000,
         .relayChargeRest = 4000, .relayReducedLate = 1500, .relayReducedRest = 3000,
         .kddiChargeLate = 20000, .kddiChargeRest = 40000});
  return m;
}

// Every slot of that month, worked out by hand.
constexpr std::array<std::uint32_t, kResultSlots> kKyushuMonth{
    // counts: in-area 30 units, 18 at the Timeplus rate; Telejoze W = 15+20+25;
    // Telewides X = 38+50; no Telechoice, no i-Iplan; adjacent 40 units, 20 at
    // the in-area rate; Telehodai below.
    30, 18, 60, 88, 0, 40, 20, 0,
    10, 10, kNoCount, 35, 35, kNoCount,
    // normal: A = 30 (in-area), B = 40 (adjacent), C = 50 (NTT Com units of the
    // other prefecture); A + B ≤ 149 so 9·30 + 7·40 + 10·50.
    1050,
    // KDDI: K = 15000 + 14000 + 60000 hundredths; 89000/100, 89000·9/1000.
    890, 801,
    // Timeplus: T = 18 + 40 + 50 → 1080 + 200; LP = 18, relay beyond the area
    // 7400 → 180 + 740 + 200; reduced beyond the area 5600 → 180 + 560 + 300.
    1280, 1120, 1040,
    // the carrier alone: 8600/10; (1000 + 6500)/10.
    860, 750,
    // Telejoze: W = 60 ≤ every cap, O = 40 → 400 + fixed.
    2150, 3000, 4700, 7250,
    // Telewides: X = 88 → 792 (10) and 748 (15); L = 30, LP = 18, LR = 120.
    // plain D + 300 + fixed; + Timeplus D + 180 + fixed + 200; + carrier D + 120 + fixed.
    1642, 2198, 1722, 2278, 1462, 2018,
    // Telechoice: not chosen.
    0, 0, 0, 0, 0, 0, 0, 0,
    // Areaplus: 10·(30 + 20 + 50) + 200; 10·(18 + 20 + 50) + 400;
    // (1200 + 100·20 + 6000)/10 + 200; (900 + 2000 + 4500)/10 + 300.
    1200, 1280, 1120, 1040,
    // i-Iplan: ISDN only.
    0, 0, 0, 0, 0, 0,
    // Telehodai, late-night order 0931112222 (25), 0451234567 (20), 1234 (10).
    // Variant 0: only 1234 is a target, and a top row. Oth = 25+15 (adjacent)
    // + 15+35 (NTT Com, other prefecture) + 20 (1234's rest) = 110; TPs = 40 +
    // 50 + 12 = 102; APs = 20 + 50 + 20 = 90; RC = 8200, RR = 6200.
    // Variant 1: 0931112222 and 1234 are both top rows. Oth = 15 + 50 + 20 =
    // 85; TPs = 15 + 50 + 12 = 77; APs = 8 + 50 + 20 = 78; RC = 7300, RR = 5500.
    // Each fee for variant 0, then 1: plain TH + 10·Oth; with Timeplus TH +
    // 10·TPs + 200; with the carrier TH + RC/10; with Kyushu's plan TH + RR/10
    // + 100; with Areaplus TH + 10·APs + 200.
    2900, 4450, 3020, 4570, 2620, 4330, 2520, 4250, 2900, 4580,
    // Flets ISDN: 0451234567 (60 units) is free; 10·(30 + 40) + 4500.
    5200};

TEST(DiscountPlans, AWorkedMonthFillsEverySlot) {
  MonthFixture m = kyushuMonth();
  const BestPlan best = m.evaluate();
  for (std::size_t slot = 0; slot < kResultSlots; ++slot)
    EXPECT_EQ(m.month.amounts.values[slot], kKyushuMonth[slot]) << "slot " << slot;
  EXPECT_EQ(best.fee, 750u);
  EXPECT_EQ(best.name, sjis("九州電話 九州うれしい値プラン"));
  // Latest-night units first; the other prefecture's rest in NTT Com units.
  EXPECT_EQ(m.month.callList, " 3,0931112222,25,15,0451234567,20,35,1234,10,20");
  EXPECT_EQ(m.estimate.amounts, MonthResult{}.amounts);
  EXPECT_EQ(m.estimate.callList, "");
}

// The same month projected with the factor 2 (exact in a float, so these are
// plain integer results).
constexpr std::array<std::uint32_t, kResultSlots> kKyushuMonthDoubled{
    60, 36, 120, 176, 0, 80, 40, 0,
    20, 20, kNoCount, 70, 70, kNoCount,
    2100,        // 1050·2
    // 2·89000·0.01; 178000 times the double 0.009 lies just below 1602.
    1780, 1601,
    // (F − 200)·2 + 200
    2360, 2040, 1880,
    1720, 1500,  // 8600·2·0.1, 7500·2·0.1
    // the tariff on W = 120, O = 80
    2550, 3400, 5100, 7650,
    // (F − fixed)·2 + fixed, fixed 550/1150, with Timeplus 750/1350
    2734, 3246, 2694, 3206, 2374, 2886,
    0, 0, 0, 0, 0, 0, 0, 0,
    // (F − 200)·2 + 200; (F − 400)·2 + 400; 9200·0.2 + 200; 7400·0.2 + 300
    2200, 2160, 2040, 1780,
    0, 0, 0, 0, 0, 0,
    // Oth·2·10 + TH; 10·TPs·2 + TH + 200; RC/10·2 + TH; RR/10·2 + TH + 100;
    // 10·APs·2 + TH + 200
    4000, 5300, 4040, 5340, 3440, 5060, 3140, 4800, 3800, 5360,
    5900};  // (5200 − 4500)·2 + 4500

TEST(DiscountPlans, AProjectedMonthFillsTheEstimate) {
  MonthFixture m = kyushuMonth();
  const BestPlan best = m.evaluate(2.0f);
  for (std::size_t slot = 0; slot < kResultSlots; ++slot)
    EXPECT_EQ(m.estimate.amounts.values[slot], kKyushuMonthDoubled[slot]) << "slot " << slot;
  EXPECT_EQ(m.month.amounts.values, kKyushuMonth);
  EXPECT_EQ(best.projectedFee, 1500u);
  EXPECT_EQ(best.projectedName, sjis("九州電話 九州うれしい値プラン"));
  // Both parts doubled, the NTT East/West units for every row.
  EXPECT_EQ(m.estimate.callList, " 3,0931112222,50,30,0451234567,40,80,1234,20,40");
}

struct NormalChargeCase {
  const char* what;
  std::vector<NumberTotals> rows;
  std::uint32_t fee;
};

TEST(DiscountPlans, NormalChargeReducedPricesUpTo149Units) {
  const std::vector<NormalChargeCase> cases{
      {"A + B = 149: 9·100 + 7·49",
       {{.band = kInArea, .number = "1", .feeTotal = 100},
        {.band = kAdjacent, .number = "02", .feeTotal = 49}},
       1243},
      {"A + B = 150: every unit 10 yen",
       {{.band = kInArea, .number = "1", .feeTotal = 100},
        {.band = kAdjacent, .number = "02", .feeTotal = 50}},
       1500},
      {"the fourth number of the prefecture is at 10 yen: 9·20 + 7·10 + 10·10",
       {{.band = kInArea, .number = "1", .feeTotal = 10},
        {.band = kAdjacent, .number = "02", .feeTotal = 10},
        {.band = kInArea, .number = "3", .feeTotal = 10},
        {.band = kInArea, .number = "4", .feeTotal = 10}},
       350},
      {"another prefecture takes no place and counts its NTT Com units: 9·30 + 10·5",
       {{.band = kFar, .outOfPrefecture = 1, .number = "05", .feeTotal = 99, .comUnitsTotal = 5},
        {.band = kInArea, .number = "1", .feeTotal = 10},
        {.band = kInArea, .number = "2", .feeTotal = 10},
        {.band = kInArea, .number = "3", .feeTotal = 10}},
       320},
  };
  for (const auto& c : cases) {
    MonthFixture m;
    for (const auto& row : c.rows) m.add(row);
    m.evaluate();
    EXPECT_EQ(m.month.amounts[ResultSlot::NormalFee], c.fee) << c.what;
  }
}

TEST(DiscountPlans, PlansWithoutFixedChargeReplaceTheNormalChargeOnlyWhenCheaper) {
  // One in-area number of 10 units: normal charge 90 yen. Every other plan has
  // a fixed charge above that, except the carrier alone (relay / 100 yen).
  struct Case {
    std::uint32_t relay;  // tenths of a yen
    const char* cheapest;
  };
  for (const Case& c : {Case{900, "通常料金"}, Case{899, "東京電話"}}) {
    MonthFixture m;
    m.settings.regionalCarrier = RegionalCarrier::Tokyo;
    m.add({.band = kInArea, .number = "1", .feeTotal = 10, .relayChargeRest = c.relay});
    const BestPlan best = m.evaluate();
    EXPECT_EQ(best.name, sjis(c.cheapest)) << c.relay;
    EXPECT_EQ(best.fee, c.relay >= 900 ? 90u : c.relay / 10);
  }
}

TEST(DiscountPlans, TelejozeSizes) {
  // The four sizes for the off-peak units W and the peak units O.
  constexpr std::array<ResultSlot, 4> kSizes{ResultSlot::Telejoze2000Fee, ResultSlot::Telejoze3000Fee,
                                             ResultSlot::Telejoze5000Fee, ResultSlot::Telejoze8000Fee};
  struct Case {
    std::uint32_t w, o;
    std::array<std::uint32_t, 4> fees;
  };
  const Case cases[] = {
      // 2000: 1750 + trunc(50·8.5); the others include 250 units.
      {250, 0, {2175, 2600, 4300, 6850}},
      // 2000: beyond 300, 10·301 − 400; 3000: 2600 + trunc(1·8.5).
      {301, 0, {2610, 2608, 4300, 6850}},
      // peak units are 10 yen in every size; 8000 has no upper bound:
      // 6850 + trunc(1200·8.5) + 10·7.
      {2000, 7, {20000 + 70 - 400, 20000 + 70 - 700, 20000 + 70 - 1150, 6850 + 10200 + 70}},
  };
  for (const Case& c : cases) {
    MonthFixture m;
    m.add({.band = kFar, .outOfPrefecture = 1, .number = "05", .comUnitsOffPeak = c.w,
           .peakCharge = c.o});
    m.evaluate();
    for (std::size_t i = 0; i < kSizes.size(); ++i) EXPECT_EQ(m.month.amounts[kSizes[i]], c.fees[i]) << c.w;
    EXPECT_EQ(m.month.amounts[ResultSlot::TelejozeOffPeakCount], c.w);
  }
}

TEST(DiscountPlans, TelejozeProjectsTheUnitsFirst) {
  // W' = trunc(100·2.5) = 250, O' = trunc(10·2.5) = 25: 1750 + 425 + 250.
  MonthFixture m;
  m.add({.band = kFar, .outOfPrefecture = 1, .number = "05", .comUnitsOffPeak = 100,
         .peakCharge = 10});
  m.evaluate(2.5f);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::Telejoze2000Fee], 2425u);
}

TEST(DiscountPlans, TelejozeAndTelewidesNeedAnAnalogLineAndTelewidesAKnownMa) {
  struct Case {
    bool isdn, known;
    bool telejoze, telewides;
  };
  for (const Case& c : {Case{false, false, true, false}, Case{false, true, true, true},
                        Case{true, true, false, false}}) {
    MonthFixture m;
    m.settings.isdn = c.isdn;
    if (c.known) m.knownOrigin(false);
    m.add({.band = kFar, .outOfPrefecture = 1, .number = "05", .feeTotal = 1,
           .comUnitsTotal = 1});
    m.evaluate();
    EXPECT_EQ(m.month.amounts[ResultSlot::Telejoze2000Fee] != 0, c.telejoze);
    EXPECT_EQ(m.month.amounts[ResultSlot::Telewides10Fee] != 0, c.telewides);
  }
}

// Telechoice with the target area "45": a target number (100 NTT Com units),
// an in-area number and one in another prefecture. G = 100; outside the
// targets the opposite carrier: H = 40 (NTT Com units of the in-area number)
// + 70 (NTT East/West units of the other prefecture) = 110; RC = 300 tenths;
// TU = 30 (in-area plan) + 70 = 100; AU = 50 + 70 = 120.
MonthFixture telechoiceMonth(int kind, bool isdn, int carrier) {
  MonthFixture m;
  m.knownOrigin(false);
  m.origin.areaList = {"45"};
  m.settings.telechoiceKind = static_cast<TelechoiceKind>(kind);
  m.settings.isdn = isdn;
  m.settings.regionalCarrier = static_cast<RegionalCarrier>(carrier);
  m.add({.band = DistanceBand::Upto60km, .number = "0451234567", .feeTotal = 120,
         .comUnitsTotal = 100});
  m.add({.band = kInArea, .number = "1234567", .feeTotal = 50, .comUnitsTotal = 40,
         .localPlanUnitsLate = 10, .localPlanUnitsRest = 20, .relayChargeLate = 100,
         .relayChargeRest = 200});
  m.add({.band = kFar, .outOfPrefecture = 1, .number = "0991234567", .feeTotal = 70,
         .comUnitsTotal = 60});
  return m;
}

TEST(DiscountPlans, TelechoiceKinds) {
  constexpr std::array<ResultSlot, 8> kFees{
      ResultSlot::Telechoice10Fee,             ResultSlot::Telechoice15Fee,
      ResultSlot::Telechoice10WithTimeplusFee, ResultSlot::Telechoice15WithTimeplusFee,
      ResultSlot::Telechoice10WithCarrierFee,  ResultSlot::Telechoice15WithCarrierFee,
      ResultSlot::Telechoice10WithAreaplusFee, ResultSlot::Telechoice15WithAreaplusFee};
  struct Case {
    const char* what;
    int kind;
    bool isdn;
    int carrier;
    std::array<std::uint32_t, 8> fees;  // in the order of kFees
  };
  const Case cases[] = {
      // 10: V = 900, TC 100; 15: V = 850, TC 200. plain V + 10H + TC; + Timeplus
      // V + 10TU + TC + 200; + carrier (100·rate + 300)/10 + TC; + Areaplus V +
      // 10AU + TC + 200.
      {"kind 1 evaluates 10 and 15", 1, false, 1, {2100, 2150, 2200, 2250, 1030, 1080, 2400, 2450}},
      {"kind 2 only 15", 2, false, 0, {0, 2150, 0, 2250, 0, 0, 0, 2450}},
      // 30: V = 700 in the slots of the 10 variant.
      {"kind 3 in the slots of 10", 3, false, 0, {1900, 0, 2000, 0, 0, 0, 2200, 0}},
      // ISDN: TC 200 and 400, Timeplus and Areaplus 350.
      {"ISDN charges", 1, true, 0, {2200, 2350, 2450, 2600, 0, 0, 2650, 2800}},
  };
  for (const Case& c : cases) {
    MonthFixture m = telechoiceMonth(c.kind, c.isdn, c.carrier);
    m.evaluate();
    for (std::size_t i = 0; i < kFees.size(); ++i)
      EXPECT_EQ(m.month.amounts[kFees[i]], c.fees[i]) << c.what << ", slot " << slotNumber(kFees[i]);
    EXPECT_EQ(m.month.amounts[ResultSlot::TelechoiceCount], 100u) << c.what;
  }
}

TEST(DiscountPlans, TelechoiceNames) {
  // Two target numbers of 2000 NTT East/West and 1000 NTT Com units each, and
  // an in-area number of 100 units. G = 2000, H = 100, RC = 500 tenths.
  // Telechoice 15 + carrier: (2000·85 + 500)/10 + TC = 17050 + 200 (ISDN 400);
  // 10 + carrier is 18050 + TC, plain 15 is 17000 + 1000 + TC. Everything else
  // is dearer: Telewides 15 + carrier 17000 + 50 + 1150, Flets ISDN 10·2100 +
  // 4500, the carrier alone 40050.
  struct Case {
    bool isdn;
    int carrier;
    std::uint32_t fee;
    const char* cheapest;
  };
  const Case cases[] = {
      {false, 1, 17250, "テレチョイス15(適用区域)+東京電話(適用区域外)"},
      {true, 2, 17450, "INSテレチョイス15(適用区域)+九州電話(適用区域外)"},
  };
  for (const Case& c : cases) {
    MonthFixture m;
    m.knownOrigin(false);
    m.origin.areaList = {"45"};
    m.settings.telechoiceKind = TelechoiceKind::Plan10;
    m.settings.isdn = c.isdn;
    m.settings.regionalCarrier = static_cast<RegionalCarrier>(c.carrier);
    for (const char* number : {"0451234567", "0457654321"})
      m.add({.band = DistanceBand::Upto60km, .number = number, .feeTotal = 2000,
             .comUnitsTotal = 1000, .feeRest = 2000, .peakCharge = 2000, .comUnitsRest = 1000,
             .relayChargeRest = 200000, .relayReducedRest = 200000});
    m.add({.band = kInArea, .number = "1234567", .feeTotal = 100, .comUnitsTotal = 100,
           .localFeeRest = 100, .localPlanUnitsRest = 100, .feeRest = 100, .comUnitsRest = 100,
           .relayChargeRest = 500, .relayReducedRest = 500});
    const BestPlan best = m.evaluate();
    EXPECT_EQ(best.fee, c.fee);
    EXPECT_EQ(best.name, sjis(c.cheapest));
  }
}

TEST(DiscountPlans, TimeplusAndAreaplusNamesOnIsdn) {
  MonthFixture m;
  m.knownOrigin(true);
  m.settings.isdn = 1;
  m.settings.regionalCarrier = RegionalCarrier::Tokyo;
  m.add({.band = kInArea, .number = "1", .feeTotal = 100, .localFeeRest = 100,
         .localPlanUnitsRest = 10, .feeRest = 100, .relayChargeRest = 10000});
  const BestPlan best = m.evaluate();
  // Timeplus: 10·10 + 350 = 450, cheaper than the normal 900 and the carrier
  // alone (1000). Timeplus + carrier ties at 10·10 + 0 + 350 and comes later.
  EXPECT_EQ(m.month.amounts[ResultSlot::TimeplusFee], 450u);
  EXPECT_EQ(m.month.amounts[ResultSlot::TimeplusWithCarrierFee], 450u);
  EXPECT_EQ(best.name, sjis("INSタイムプラス"));
  // Areaplus: 10·100 + 350; + Timeplus 10·10 + 700.
  EXPECT_EQ(m.month.amounts[ResultSlot::AreaplusFee], 1350u);
  EXPECT_EQ(m.month.amounts[ResultSlot::AreaplusWithTimeplusFee], 800u);
}

TEST(DiscountPlans, ProjectionsFollowSinglePrecisionArithmetic) {
  // 28/5 as a float is 5.5999999. Timeplus with T = 1: (210 − 200)·f is
  // 55.999999 in double but rounds to 56 in single precision: 56 + 200.
  // KDDIかけどくパック with K = 28750: f·K = 161000 in single precision, then
  // times the double 0.009 gives 1449 (1448 in all-double or all-float).
  // Telehodai: Oth = 1: 1·f·10 rounds to 56 in single precision: 1800 + 56.
  const float f = static_cast<float>(28.0 / 5.0);
  MonthFixture m;
  m.settings.kddi = 1;
  m.add({.band = kFar, .outOfPrefecture = 1, .number = "05", .comUnitsTotal = 1,
         .comUnitsRest = 1, .kddiChargeRest = 28750});
  m.evaluate(f);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::TimeplusFee], 256u);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::KddiKakedokuFee], 1449u);
  EXPECT_EQ(m.estimate.amounts[ResultSlot::TelehodaiOwnMaFee], 1856u);
}

}  // namespace
}  // namespace zelk::test
