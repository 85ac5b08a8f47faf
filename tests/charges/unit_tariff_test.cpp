// The unit-based carriers' rates through the charge functions: rows shared
// by several bands, the dated changes and the prefecture split.
#include <gtest/gtest.h>

#include <string>

#include "charge_fixtures.h"
#include "tariff/charges.h"

namespace zelk {
namespace {

using test::at;
using test::secs;

enum class Carrier { Ntt, Com, LocalPlan, Ttnet, Qtnet };

std::int32_t chargeOf(Carrier carrier, const CalendarTime& start, std::int32_t duration,
                      DistanceBand band, std::uint8_t outOfPrefecture) {
  switch (carrier) {
    case Carrier::Ntt: return nttUnits(start, duration, band);
    case Carrier::Com: return comUnits(start, duration, band);
    case Carrier::LocalPlan: return localPlanUnits(start, duration);
    case Carrier::Ttnet: return ttnetCharge(start, duration, band, outOfPrefecture);
    case Carrier::Qtnet: return qtnetCharge(start, duration, band, outOfPrefecture);
  }
  return -1;
}

// A rate, measured: a call of exactly one unit length costs one unit price,
// a tenth of a second more two. Prices are in units for NTT East/West, NTT Com
// and the in-area plan, in tenths of a yen for TTNet and QTNet.
struct RateCase {
  Carrier carrier;
  CalendarTime start;  // on a working day: 10:00 day, 20:00 night, 03:00 late night
  DistanceBand band;
  std::uint8_t outOfPrefecture;
  double seconds;
  std::int32_t price;
};

using B = DistanceBand;

TEST(UnitTariffs, RowsBandsAndPeriods) {
  const RateCase cases[] = {
      {Carrier::Ntt, at(2000, 9, 29, 10), B::Upto100km, 1, 22.5, 1},
      {Carrier::Ntt, at(2000, 9, 29, 20), B::Upto170km, 1, 22.5, 1},
      {Carrier::Ntt, at(2000, 9, 29, 3), B::Upto60km, 1, 60, 1},
      {Carrier::Ntt, at(2000, 10, 2, 10), B::Upto30km, 1, 60, 1},
      {Carrier::Ntt, at(2000, 10, 2, 20), B::Upto60km, 1, 75, 1},
      {Carrier::Ntt, at(2000, 10, 2, 3), B::Beyond170km, 1, 90, 1},
      {Carrier::Ntt, at(2000, 10, 2, 10), B::InArea, 1, 180, 1},
      {Carrier::Ntt, at(2000, 10, 2, 3), B::Adjacent, 1, 120, 1},
      {Carrier::Com, at(2000, 3, 31, 10), B::Upto60km, 1, 36, 1},
      {Carrier::Com, at(2000, 4, 3, 10), B::Upto60km, 1, 45, 1},
      {Carrier::Com, at(2000, 4, 3, 20), B::Upto100km, 1, 45, 1},
      {Carrier::Com, at(2000, 4, 3, 3), B::Upto160km, 1, 36, 1},
      {Carrier::Com, at(2000, 4, 3, 20), B::Beyond170km, 1, 26, 1},
      {Carrier::LocalPlan, at(2000, 10, 2, 10), B::InArea, 0, 300, 1},
      {Carrier::LocalPlan, at(2000, 10, 2, 3), B::InArea, 0, 420, 1},
      {Carrier::Ttnet, at(2000, 9, 29, 10), B::Upto100km, 0, 36, 90},
      {Carrier::Ttnet, at(2000, 10, 2, 3), B::Upto170km, 1, 45, 90},
      {Carrier::Ttnet, at(2000, 10, 2, 3), B::Beyond170km, 1, 36, 90},
      {Carrier::Ttnet, at(2000, 10, 2, 3), B::InArea, 0, 225, 90},
      {Carrier::Ttnet, at(2000, 10, 2, 10), B::Upto60km, 0, 90, 90},
      {Carrier::Ttnet, at(2000, 10, 2, 10), B::Upto170km, 0, 60, 90},
      {Carrier::Ttnet, at(2000, 10, 2, 3), B::Beyond170km, 0, 90, 90},
      {Carrier::Qtnet, at(2000, 8, 31, 10), B::Upto30km, 0, 90, 90},
      {Carrier::Qtnet, at(2000, 8, 31, 10), B::Upto60km, 0, 45, 100},
      {Carrier::Qtnet, at(2000, 8, 31, 10), B::Upto100km, 0, 30, 100},
      {Carrier::Qtnet, at(2000, 9, 1, 10), B::Upto60km, 1, 60, 100},
      {Carrier::Qtnet, at(2000, 9, 1, 10), B::Upto100km, 1, 36, 100},
      {Carrier::Qtnet, at(2000, 9, 1, 3), B::Beyond170km, 1, 45, 100},
      {Carrier::Qtnet, at(2000, 10, 31, 10), B::Upto100km, 0, 36, 100},
      {Carrier::Qtnet, at(2000, 11, 1, 20), B::Upto60km, 1, 60, 100},
      {Carrier::Qtnet, at(2000, 11, 1, 20), B::Upto60km, 0, 75, 90},
      {Carrier::Qtnet, at(2000, 11, 1, 20), B::Upto100km, 0, 75, 90},
      {Carrier::Qtnet, at(2000, 11, 1, 3), B::Upto170km, 0, 90, 90},
      {Carrier::Qtnet, at(2000, 11, 1, 3), B::Upto30km, 0, 120, 90},
  };
  for (const auto& c : cases) {
    const auto length = static_cast<std::int32_t>(c.seconds * 10);
    const std::string what = std::to_string(static_cast<int>(c.carrier)) + ", " +
                             std::to_string(c.start.year + 1900) + "-" +
                             std::to_string(c.start.month + 1) + "-" +
                             std::to_string(c.start.day) + " " + std::to_string(c.start.hour) +
                             ":00, band " + std::to_string(static_cast<int>(c.band)) +
                             ", flag " + std::to_string(c.outOfPrefecture);
    EXPECT_EQ(chargeOf(c.carrier, c.start, length, c.band, c.outOfPrefecture), c.price) << what;
    EXPECT_EQ(chargeOf(c.carrier, c.start, length + 1, c.band, c.outOfPrefecture), 2 * c.price)
        << what;
  }
}

// Changes take effect for calls starting on their first day, at any hour.
struct ChangeDayCase {
  const char* what;
  Carrier carrier;
  CalendarTime start;
  std::int32_t duration;
  DistanceBand band;
  std::uint8_t outOfPrefecture;
  std::int32_t charge;
};

TEST(UnitTariffs, ChangesHoldFromTheirFirstDay) {
  const ChangeDayCase cases[] = {
      {"NTT 2000-09-30, late night 60 s", Carrier::Ntt, at(2000, 9, 30, 3), secs(90),
       DistanceBand::Upto60km, 1, 2},
      {"NTT 2000-10-01, late night 90 s", Carrier::Ntt, at(2000, 10, 1, 3), secs(90),
       DistanceBand::Upto60km, 1, 1},
      {"NTT Com 2000-04-02, late night 30 s", Carrier::Com, at(2000, 4, 2, 3), secs(36),
       DistanceBand::Beyond170km, 1, 2},
      {"NTT Com 2000-04-03, late night 36 s", Carrier::Com, at(2000, 4, 3, 3), secs(36),
       DistanceBand::Beyond170km, 1, 1},
      {"TTNet 2000-09-30, in prefecture late night 60 s", Carrier::Ttnet, at(2000, 9, 30, 3),
       secs(90), DistanceBand::Upto100km, 0, 180},
      {"TTNet 2000-10-01, in prefecture late night 90 s", Carrier::Ttnet, at(2000, 10, 1, 3),
       secs(90), DistanceBand::Upto100km, 0, 90},
      {"QTNet 2000-08-31, 45 s by day", Carrier::Qtnet, at(2000, 8, 31, 10), secs(60),
       DistanceBand::Upto60km, 1, 200},
      {"QTNet 2000-09-01, 60 s by day", Carrier::Qtnet, at(2000, 9, 1, 10), secs(60),
       DistanceBand::Upto60km, 1, 100},
      {"QTNet 2000-10-31, in prefecture night 60 s at 10 yen", Carrier::Qtnet,
       at(2000, 10, 31, 20), secs(75), DistanceBand::Upto60km, 0, 200},
      {"QTNet 2000-11-01, in prefecture night 75 s at 9 yen", Carrier::Qtnet,
       at(2000, 11, 1, 20), secs(75), DistanceBand::Upto60km, 0, 90},
  };
  for (const auto& c : cases)
    EXPECT_EQ(chargeOf(c.carrier, c.start, c.duration, c.band, c.outOfPrefecture), c.charge)
        << c.what;
}

TEST(UnitTariffs, NoDurationCostsNothing) {
  const CalendarTime start = at(2000, 10, 2, 10);
  for (Carrier carrier : {Carrier::Ntt, Carrier::Com, Carrier::LocalPlan, Carrier::Ttnet,
                          Carrier::Qtnet})
    for (std::int32_t duration : {0, -10})
      EXPECT_EQ(chargeOf(carrier, start, duration, DistanceBand::Adjacent, 0), 0)
          << static_cast<int>(carrier) << " " << duration;
}

TEST(UnitTariffs, BandsOutsideTheTablesAreChargedAsTheFarthest) {
  const CalendarTime start = at(2000, 10, 2, 10);
  for (DistanceBand odd : {DistanceBand::Undetermined, DistanceBand::UnknownDistance}) {
    EXPECT_EQ(nttUnits(start, secs(600), odd),
              nttUnits(start, secs(600), DistanceBand::Beyond170km));
    EXPECT_EQ(ttnetCharge(start, secs(600), odd, 1),
              ttnetCharge(start, secs(600), DistanceBand::Beyond170km, 1));
  }
}

}  // namespace
}  // namespace zelk
