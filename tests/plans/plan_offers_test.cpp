#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "tariff/plan_offers.h"

namespace zelk {
namespace {

TEST(PlanOffers, StrictlyCheaperWinsAndTiesKeepTheEarlierPlan) {
  MonthResult month, estimate;
  PlanOffers offers(month, estimate, 0.0f);
  offers.first({14, 500, 0, "通常料金"});
  offers.offer({15, 500, 0, "KDDI"});          // a tie: the normal charge stays
  EXPECT_EQ(offers.best().name, sjis("通常料金"));
  offers.offer({16, 499, 0, "KDDIかけどくパック"});
  offers.offer({17, 499, 0, "タイムプラス"});  // ties the new cheapest
  EXPECT_EQ(offers.best().fee, 499u);
  EXPECT_EQ(offers.best().name, sjis("KDDIかけどくパック"));
  EXPECT_EQ(month.slots[15], 500u);
  EXPECT_EQ(month.slots[17], 499u);
}

TEST(PlanOffers, WithoutAFactorTheEstimateIsNotTouched) {
  MonthResult month, estimate;
  estimate.slots[20] = 77;
  PlanOffers offers(month, estimate, 0.0f);
  offers.first({14, 300, 100, "通常料金"});
  offers.offer({20, 200, 50, "東京電話"});
  offers.count(3, 40);
  offers.noCount(10);
  EXPECT_EQ(estimate.slots[14], 0u);
  EXPECT_EQ(estimate.slots[20], 77u);
  EXPECT_EQ(estimate.slots[3], 0u);
  EXPECT_EQ(estimate.slots[10], 0u);
  EXPECT_EQ(month.slots[3], 40u);
  EXPECT_EQ(month.slots[10], kNoCount);
}

TEST(PlanOffers, ProjectionsCompeteOnTheirOwn) {
  MonthResult month, estimate;
  PlanOffers offers(month, estimate, 2.0f);
  offers.first({14, 300, 600, "通常料金"});
  offers.offer({15, 200, 650, "KDDI"});       // cheaper now, dearer projected
  offers.offer({17, 400, 600, "タイムプラス"});  // ties the projected best
  EXPECT_EQ(offers.best().name, sjis("KDDI"));
  EXPECT_EQ(offers.best().projectedName, sjis("通常料金"));
  EXPECT_EQ(offers.best().projectedFee, 600u);
  EXPECT_EQ(estimate.slots[15], 650u);
}

TEST(PlanOffers, AHiddenFeeStillCompetesAndAnUncompetingProjectionIsStillWritten) {
  MonthResult month, estimate;
  month.slots[60] = 9;
  PlanOffers offers(month, estimate, 2.0f);
  offers.first({14, 9000, 18000, "通常料金"});
  PlanOffer flets{60, 4500, 4500, "フレッツ・Isdn"};
  flets.showFee = false;
  flets.projectionCompetes = false;
  offers.offer(flets);
  EXPECT_EQ(month.slots[60], 9u);
  EXPECT_EQ(estimate.slots[60], 4500u);
  EXPECT_EQ(offers.best().name, sjis("フレッツ・Isdn"));
  EXPECT_EQ(offers.best().projectedName, sjis("通常料金"));
}

TEST(PlanOffers, CountsAreProjectedInSinglePrecision) {
  // 28/3 as a float is 9.3333330; 3 × that in single precision rounds to 28,
  // where a double product would truncate to 27.
  MonthResult month, estimate;
  PlanOffers offers(month, estimate, static_cast<float>(28.0 / 3.0));
  offers.count(2, 3);
  offers.noCount(13);
  EXPECT_EQ(estimate.slots[2], 28u);
  EXPECT_EQ(estimate.slots[13], kNoCount);
}

TEST(PlanOffers, TruncationSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(truncated(-0.5), 0u);
  EXPECT_EQ(truncated(12.99), 12u);
  EXPECT_EQ(truncated(1e12), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace zelk
