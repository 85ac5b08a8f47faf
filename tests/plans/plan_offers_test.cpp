#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "tariff/plan_offers.h"

namespace zelk {
namespace {

TEST(PlanOffers, StrictlyCheaperWinsAndTiesKeepTheEarlierPlan) {
  MonthResult month, estimate;
  PlanOffers offers(month, estimate, 0.0f);
  offers.first({ResultSlot::NormalFee, 500, 0, "通常料金"});
  offers.offer({ResultSlot::KddiFee, 500, 0, "KDDI"});          // a tie: the normal charge stays
  EXPECT_EQ(offers.best().name, sjis("通常料金"));
  offers.offer({ResultSlot::KddiKakedokuFee, 499, 0, "KDDIかけどくパック"});
  offers.offer({ResultSlot::TimeplusFee, 499, 0, "タイムプラス"});  // ties the new cheapest
  EXPECT_EQ(offers.best().fee, 499u);
  EXPECT_EQ(offers.best().name, sjis("KDDIかけどくパック"));
  EXPECT_EQ(month.amounts[ResultSlot::KddiFee], 500u);
  EXPECT_EQ(month.amounts[ResultSlot::TimeplusFee], 499u);
}

TEST(PlanOffers, WithoutAFactorTheEstimateIsNotTouched) {
  MonthResult month, estimate;
  estimate.amounts[ResultSlot::CarrierFee] = 77;
  PlanOffers offers(month, estimate, 0.0f);
  offers.first({ResultSlot::NormalFee, 300, 100, "通常料金"});
  offers.offer({ResultSlot::CarrierFee, 200, 50, "東京電話"});
  offers.count(ResultSlot::TelewidesCount, 40);
  offers.noCount(ResultSlot::TelehodaiOwnMaDesignatedCount);
  EXPECT_EQ(estimate.amounts[ResultSlot::NormalFee], 0u);
  EXPECT_EQ(estimate.amounts[ResultSlot::CarrierFee], 77u);
  EXPECT_EQ(estimate.amounts[ResultSlot::TelewidesCount], 0u);
  EXPECT_EQ(estimate.amounts[ResultSlot::TelehodaiOwnMaDesignatedCount], 0u);
  EXPECT_EQ(month.amounts[ResultSlot::TelewidesCount], 40u);
  EXPECT_EQ(month.amounts[ResultSlot::TelehodaiOwnMaDesignatedCount], kNoCount);
}

TEST(PlanOffers, ProjectionsCompeteOnTheirOwn) {
  MonthResult month, estimate;
  PlanOffers offers(month, estimate, 2.0f);
  offers.first({ResultSlot::NormalFee, 300, 600, "通常料金"});
  offers.offer({ResultSlot::KddiFee, 200, 650, "KDDI"});       // cheaper now, dearer projected
  offers.offer({ResultSlot::TimeplusFee, 400, 600, "タイムプラス"});  // ties the projected best
  EXPECT_EQ(offers.best().name, sjis("KDDI"));
  EXPECT_EQ(offers.best().projectedName, sjis("通常料金"));
  EXPECT_EQ(offers.best().projectedFee, 600u);
  EXPECT_EQ(estimate.amounts[ResultSlot::KddiFee], 650u);
}

TEST(PlanOffers, AHiddenFeeStillCompetesAndAnUncompetingProjectionIsStillWritten) {
  MonthResult month, estimate;
  month.amounts[ResultSlot::FletsIsdnFee] = 9;
  PlanOffers offers(month, estimate, 2.0f);
  offers.first({ResultSlot::NormalFee, 9000, 18000, "通常料金"});
  PlanOffer flets{ResultSlot::FletsIsdnFee, 4500, 4500, "フレッツ・Isdn"};
  flets.showFee = false;
  flets.projectionCompetes = false;
  offers.offer(flets);
  EXPECT_EQ(month.amounts[ResultSlot::FletsIsdnFee], 9u);
  EXPECT_EQ(estimate.amounts[ResultSlot::FletsIsdnFee], 4500u);
  EXPECT_EQ(offers.best().name, sjis("フレッツ・Isdn"));
  EXPECT_EQ(offers.best().projectedName, sjis("通常料金"));
}

TEST(PlanOffers, CountsAreProjectedInSinglePrecision) {
  // 28/3 as a float is 9.3333330; 3 × that in single precision rounds to 28,
  // where a double product would truncate to 27.
  MonthResult month, estimate;
  PlanOffers offers(month, estimate, static_cast<float>(28.0 / 3.0));
  offers.count(ResultSlot::TelejozeOffPeakCount, 3);
  offers.noCount(ResultSlot::TelehodaiAdjacentDesignatedCount);
  EXPECT_EQ(estimate.amounts[ResultSlot::TelejozeOffPeakCount], 28u);
  EXPECT_EQ(estimate.amounts[ResultSlot::TelehodaiAdjacentDesignatedCount], kNoCount);
}

TEST(PlanOffers, TruncationSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(truncated(-0.5), 0u);
  EXPECT_EQ(truncated(12.99), 12u);
  EXPECT_EQ(truncated(1e12), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace zelk
