// The unit-based carriers' rates, measured through the charge functions: for
// every distance band and tariff band of every dated period, a call of exactly
// one unit length costs one unit and a call a tenth of a second longer two.
// The expected figures are the published rate tables, copied band by band.
#include <gtest/gtest.h>

#include <array>

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

constexpr std::array<DistanceBand, 8> kBands{
    DistanceBand::InArea,    DistanceBand::Adjacent,  DistanceBand::Upto30km,
    DistanceBand::Upto60km,  DistanceBand::Upto100km, DistanceBand::Upto160km,
    DistanceBand::Upto170km, DistanceBand::Beyond170km};

// One band's rates: seconds per unit day / night / late night, and the price
// of a unit (in units for NTT, NTT Com and the in-area plan; in tenths of a
// yen for TTNet and QTNet).
struct Cell {
  std::array<double, 3> seconds;
  std::int32_t price;
};

struct Period {
  const char* name;
  Carrier carrier;
  int year, month, day;  // a working day of the period
  std::uint8_t outOfPrefecture;
  std::array<Cell, 8> byBand;  // bands 1-7, 20
};

constexpr Cell ntt(double day, double night, double late) { return {{day, night, late}, 1}; }
constexpr Cell yen9(double day, double night, double late) { return {{day, night, late}, 90}; }
constexpr Cell yen10(double day, double night, double late) { return {{day, night, late}, 100}; }

const Period kPeriods[] = {
    {"NTT until 2000-09-30", Carrier::Ntt, 2000, 9, 29, 1,
     {ntt(180, 180, 240), ntt(90, 90, 120), ntt(45, 45, 60), ntt(36, 36, 60),
      ntt(22.5, 30, 45), ntt(20, 22.5, 30), ntt(20, 22.5, 30), ntt(20, 22.5, 30)}},
    {"NTT from 2000-10-01", Carrier::Ntt, 2000, 10, 2, 0,
     {ntt(180, 180, 240), ntt(90, 90, 120), ntt(60, 75, 90), ntt(60, 75, 90), ntt(45, 60, 90),
      ntt(45, 60, 90), ntt(45, 60, 90), ntt(45, 60, 90)}},
    {"NTT Com until 2000-04-02", Carrier::Com, 2000, 3, 31, 1,
     {ntt(180, 180, 240), ntt(90, 90, 120), ntt(45, 45, 60), ntt(36, 36, 60),
      ntt(22.5, 30, 45), ntt(20, 22.5, 30), ntt(20, 22.5, 30), ntt(20, 22.5, 30)}},
    {"NTT Com from 2000-04-03", Carrier::Com, 2000, 4, 3, 0,
     {ntt(180, 180, 240), ntt(90, 90, 120), ntt(45, 45, 60), ntt(45, 45, 60), ntt(26, 45, 45),
      ntt(20, 26, 36), ntt(20, 26, 36), ntt(20, 26, 36)}},
    {"in-area plan, whatever the band", Carrier::LocalPlan, 2000, 10, 2, 1,
     {ntt(300, 300, 420), ntt(300, 300, 420), ntt(300, 300, 420), ntt(300, 300, 420),
      ntt(300, 300, 420), ntt(300, 300, 420), ntt(300, 300, 420), ntt(300, 300, 420)}},
    {"TTNet in prefecture until 2000-09-30", Carrier::Ttnet, 2000, 9, 29, 0,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 90), yen9(60, 60, 90),
      yen9(36, 45, 60), yen9(26, 30, 45), yen9(26, 30, 45), yen9(26, 30, 36)}},
    {"TTNet out of prefecture from 2000-10-01", Carrier::Ttnet, 2000, 10, 2, 1,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 90), yen9(60, 60, 90),
      yen9(36, 45, 60), yen9(26, 30, 45), yen9(26, 30, 45), yen9(26, 30, 36)}},
    {"TTNet in prefecture from 2000-10-01", Carrier::Ttnet, 2000, 10, 2, 0,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 90), yen9(90, 90, 90),
      yen9(60, 60, 90), yen9(60, 60, 90), yen9(60, 60, 90), yen9(60, 60, 90)}},
    {"QTNet until 2000-08-31", Carrier::Qtnet, 2000, 8, 31, 0,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 120), yen10(45, 60, 90),
      yen10(30, 45, 60), yen10(26, 30, 45), yen10(26, 30, 45), yen10(26, 30, 45)}},
    {"QTNet from 2000-09-01", Carrier::Qtnet, 2000, 9, 1, 0,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 120), yen10(60, 60, 90),
      yen10(36, 45, 60), yen10(26, 30, 45), yen10(26, 30, 45), yen10(26, 30, 45)}},
    {"QTNet in prefecture on 2000-10-31", Carrier::Qtnet, 2000, 10, 31, 0,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 120), yen10(60, 60, 90),
      yen10(36, 45, 60), yen10(26, 30, 45), yen10(26, 30, 45), yen10(26, 30, 45)}},
    {"QTNet out of prefecture from 2000-11-01", Carrier::Qtnet, 2000, 11, 1, 1,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 120), yen10(60, 60, 90),
      yen10(36, 45, 60), yen10(26, 30, 45), yen10(26, 30, 45), yen10(26, 30, 45)}},
    {"QTNet in prefecture from 2000-11-01", Carrier::Qtnet, 2000, 11, 1, 0,
     {yen9(180, 180, 225), yen9(90, 90, 120), yen9(90, 90, 120), yen9(60, 75, 90),
      yen9(60, 75, 90), yen9(60, 75, 90), yen9(60, 75, 90), yen9(60, 75, 90)}},
};

// Moments well inside each tariff band: weekday 10:00, 20:00, 03:00.
constexpr int kProbeHours[3] = {10, 20, 3};

TEST(UnitTariffs, EveryBandOfEveryPeriodHasItsPublishedRate) {
  for (const auto& period : kPeriods) {
    for (std::size_t b = 0; b < kBands.size(); ++b) {
      const Cell& cell = period.byBand[b];
      for (int t = 0; t < 3; ++t) {
        const CalendarTime start =
            at(period.year, period.month, period.day, kProbeHours[t]);
        const auto length = static_cast<std::int32_t>(cell.seconds[t] * 10);
        // TTNet prices every unit of an adjacent call of more than one unit
        // at 7.2 yen.
        const std::int32_t twoUnits =
            period.carrier == Carrier::Ttnet && kBands[b] == DistanceBand::Adjacent
                ? 144
                : 2 * cell.price;
        const auto band = kBands[b];
        EXPECT_EQ(chargeOf(period.carrier, start, length, band, period.outOfPrefecture),
                  cell.price)
            << period.name << ", band " << int(band) << ", hour " << kProbeHours[t];
        EXPECT_EQ(chargeOf(period.carrier, start, length + 1, band, period.outOfPrefecture),
                  twoUnits)
            << period.name << ", band " << int(band) << ", hour " << kProbeHours[t];
      }
    }
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
