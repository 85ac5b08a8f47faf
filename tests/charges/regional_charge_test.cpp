// The regional carriers: TTNet's adjacent-call price, the prefecture split,
// QTNet, and the Kyushu reduction by called number.
#include <gtest/gtest.h>

#include "charge_fixtures.h"
#include "tariff/charges.h"

namespace zelk {
namespace {

using test::at;
using test::secs;

struct RelayCase {
  const char* what;
  std::int32_t duration;
  DistanceBand band;
  std::int32_t charge;  // tenths of a yen
};

TEST(TtnetCharge, AdjacentCallsOfMoreThanOneUnitCost72PerUnit) {
  const CalendarTime weekdayMorning = at(2000, 6, 14, 10);
  const RelayCase cases[] = {
      {"adjacent, one unit: 9 yen", secs(90), DistanceBand::Adjacent, 90},
      {"adjacent, two units: 14.4 yen", secs(91), DistanceBand::Adjacent, 144},
      {"adjacent, five units", secs(450), DistanceBand::Adjacent, 360},
      {"in-area, two units stay at 9 yen", secs(181), DistanceBand::InArea, 180},
      {"up to 30 km, two units stay at 9 yen", secs(91), DistanceBand::Upto30km, 180},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ttnetCharge(weekdayMorning, c.duration, c.band, 1), c.charge) << c.what;
}

TEST(TtnetCharge, EachCallUsesTheTableOfItsOwnPrefectureFlag) {
  // Sunday 2000-10-15, by day: the night rates, 60 s out of the prefecture
  // and 90 s within it from 2000-10-01.
  const CalendarTime sunday = at(2000, 10, 15, 11);
  EXPECT_EQ(ttnetCharge(sunday, secs(90), DistanceBand::Upto60km, 0), 90);
  EXPECT_EQ(ttnetCharge(sunday, secs(90), DistanceBand::Upto60km, 1), 180);
  EXPECT_EQ(ttnetCharge(sunday, secs(90), DistanceBand::Upto60km, 0), 90);
  // Any flag other than 0 means another prefecture.
  EXPECT_EQ(ttnetCharge(sunday, secs(90), DistanceBand::Upto60km, 7), 180);
}

TEST(QtnetCharge, NoAdjacentPriceAndTenYenUnitsFarther) {
  const CalendarTime weekdayMorning = at(2000, 6, 14, 10);
  const RelayCase cases[] = {
      {"adjacent, two units at 9 yen", secs(91), DistanceBand::Adjacent, 180},
      {"up to 30 km shares the adjacent row", secs(90), DistanceBand::Upto30km, 90},
      {"up to 60 km, 45 s units at 10 yen", secs(46), DistanceBand::Upto60km, 200},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qtnetCharge(weekdayMorning, c.duration, c.band, 0), c.charge) << c.what;
}

struct ReductionCase {
  const char* number;
  std::int32_t charge;
  std::int32_t reduced;
};

TEST(KyushuReduced, CoveredNumbersPay84PercentRoundedToAWholeYen) {
  const ReductionCase cases[] = {
      {"0922123456", 180, 150},  // 15.12 yen -> 15 yen
      {"0980123456", 180, 180},  // 098 reduces only with 0982-0987
      {"0981123456", 180, 180},
      {"0982123456", 180, 150},
      {"0985123456", 180, 150},
      {"0987123456", 180, 150},
      {"0988123456", 180, 180},
      {"0990123456", 180, 180},  // 099 reduces except 0990 and 0999
      {"0999123456", 180, 180},
      {"0991123456", 180, 150},
      {"0952123456", 90, 80},    // 7.56 yen -> 8 yen
      {"0952123456", 125, 110},  // 10.5 yen rounds up to 11 yen
      {"0952123456", 0, 0},
      {"0312345678", 180, 180},  // not a Kyushu number
      {"9221234", 180, 180},     // a number of the own MA
      {"09", 180, 150},          // too short: the missing third digit is "any other"
      {"098", 180, 180},         // missing fourth digit: not 2-7
      {"099", 180, 150},         // missing fourth digit: neither 9 nor 0
      {"", 180, 180},
  };
  for (const auto& c : cases)
    EXPECT_EQ(kyushuReduced(c.charge, c.number), c.reduced) << c.number << " " << c.charge;
}

TEST(KyushuReduced, LargeChargesDoNotOverflow) {
  EXPECT_EQ(kyushuReduced(1'000'000'000, "0922"), 840'000'000);
}

}  // namespace
}  // namespace zelk
