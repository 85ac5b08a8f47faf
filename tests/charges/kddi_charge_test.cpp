// KDDI 001: 6-second steps, multiplication inside one band, the step walk
// across bands and for calls of nine hours and more, the dated rates, and the
// 5-yen minimum.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "charge_fixtures.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "tariff/charges.h"

namespace zelk {
namespace {

using test::at;
using test::kHour;
using test::secs;

struct KddiCase {
  const char* what;
  CalendarTime start;
  std::int32_t duration;
  DistanceBand band;
  std::uint8_t outOfPrefecture;
  std::int32_t charge;  // hundredths of a yen
};

void expectCharges(const KddiCase* begin, const KddiCase* end) {
  for (const KddiCase* c = begin; c != end; ++c)
    EXPECT_EQ(kddiCharge(c->start, c->duration, c->band, c->outOfPrefecture), c->charge)
        << c->what;
}

TEST(KddiCharge, OneSecondInAreaByDayOnThreeDates) {
  const KddiCase cases[] = {
      {"1999-12-01: the 5-yen minimum", at(1999, 12, 1, 10), secs(1), DistanceBand::InArea, 1, 500},
      {"1999-10-01: 0.66 yen, no minimum yet", at(1999, 10, 1, 10), secs(1), DistanceBand::InArea,
       1, 66},
      {"1999-09-01: the old 1.30 yen", at(1999, 9, 1, 10), secs(1), DistanceBand::InArea, 1, 130},
  };
  expectCharges(std::begin(cases), std::end(cases));
}

TEST(KddiCharge, MinimumFromNovember1999EvenWithoutSteps) {
  const KddiCase cases[] = {
      {"1999-10-31 23:59, one late step", at(1999, 10, 31, 23, 59), secs(6), DistanceBand::InArea,
       1, 50},
      {"1999-11-01 00:00, one late step", at(1999, 11, 1, 0, 0), secs(6), DistanceBand::InArea, 1,
       500},
      {"1999-10-31, no duration", at(1999, 10, 31, 10), 0, DistanceBand::InArea, 1, 0},
      {"1999-11-01, no duration", at(1999, 11, 1, 10), 0, DistanceBand::InArea, 1, 500},
      {"2000-06-14, negative duration", at(2000, 6, 14, 10), -secs(5), DistanceBand::Upto60km, 0,
       500},
      {"2000-06-14, exactly 5 yen", at(2000, 6, 14, 3), secs(60), DistanceBand::InArea, 1, 500},
      {"2000-06-14, just above", at(2000, 6, 14, 3), secs(60) + 1, DistanceBand::InArea, 1, 550},
  };
  expectCharges(std::begin(cases), std::end(cases));
}

TEST(KddiCharge, StepsAndBandCrossings) {
  const KddiCase cases[] = {
      {"6.0 s is one step", at(1999, 6, 16, 10), secs(6), DistanceBand::Beyond170km, 1, 230},
      {"6.1 s are two steps", at(1999, 6, 16, 10), secs(6) + 1, DistanceBand::Beyond170km, 1, 460},
      {"inside the day: 100 steps of 2.30 yen", at(2000, 6, 14, 10), secs(600),
       DistanceBand::Beyond170km, 1, 23000},
      // 22:59:00-23:00:00 ten night steps at 1.20 yen, then ten late-night
      // steps at 0.90 yen.
      {"across 23:00 step by step", at(2000, 6, 14, 22, 59), secs(120), DistanceBand::Upto100km, 1,
       2100},
      // Day and night cost the same in class A, so walking the call over
      // 19:00 gives what multiplying gives.
      {"across 19:00 at equal rates", at(2000, 6, 14, 18, 59), secs(120), DistanceBand::Adjacent,
       1, 1320},
      {"inside the night at the same rate", at(2000, 6, 14, 20, 0), secs(120),
       DistanceBand::Adjacent, 1, 1320},
      // The end moment is the start plus whole seconds: 07:59:59.9 ends in
      // the late night, and every step starts before 08:00.
      {"just under nine hours inside the late night", at(2000, 6, 14, 23), 9 * kHour - 1,
       DistanceBand::InArea, 1, 5400 * 50},
      // From Friday 22:59:54 (night) to Saturday 08:00:00 (night again): one
      // night step, then 5400 late-night steps. Multiplying the night rate
      // would charge 5401 x 1.80 yen.
      {"nine hours and more are walked though they end in their first band",
       at(2000, 6, 16, 22, 59, 54), 9 * kHour + secs(6), DistanceBand::Beyond170km, 1,
       180 + 5400 * 100},
      // Saturday 22:00 to Sunday 08:00: 600 night steps, 5400 late-night.
      {"ten hours from Saturday night into Sunday", at(2000, 6, 17, 22), 10 * kHour,
       DistanceBand::Beyond170km, 1, 600 * 180 + 5400 * 100},
      // Wed 12:00-19:00 day, 19:00-23:00 night, 23:00-08:00 late night,
      // Thu 08:00-12:00 day.
      {"a whole day", at(2000, 6, 14, 12), 24 * kHour, DistanceBand::Beyond170km, 1,
       4200 * 230 + 2400 * 180 + 5400 * 100 + 2400 * 230},
      // 1999-12-31 23:59:00 to 2000-01-01 00:01:00: all late night.
      {"over the year end", at(1999, 12, 31, 23, 59), secs(120), DistanceBand::Upto30km, 1,
       20 * 90},
      // Sunday 2000-12-31 22:59 into New Year's Day: one minute of night, then
      // late night.
      {"over the year end across 23:00", at(2000, 12, 31, 22, 59), secs(120),
       DistanceBand::Upto30km, 0, 10 * 91 + 10 * 68},
  };
  expectCharges(std::begin(cases), std::end(cases));
}

// Rates by step for every distance band and tariff band of each dated period,
// measured with ten steps (at least 5 yen, so the minimum never interferes).
struct KddiPeriod {
  const char* name;
  int year, month, day;  // a working day of the period
  std::uint8_t outOfPrefecture;
  std::array<std::array<std::int32_t, 3>, 4> byClass;  // bands 1-2, 3-4, 5, 6-20
};

TEST(KddiCharge, EveryBandOfEveryPeriodHasItsPublishedRate) {
  const KddiPeriod periods[] = {
      {"until 1999-09-23", 1999, 9, 22, 0,
       {{{130, 130, 100}, {130, 130, 100}, {180, 130, 100}, {230, 180, 100}}}},
      {"from 1999-09-24", 1999, 9, 24, 0,
       {{{66, 66, 50}, {110, 110, 90}, {180, 120, 90}, {230, 180, 100}}}},
      {"in prefecture on 2000-09-29", 2000, 9, 29, 0,
       {{{66, 66, 50}, {110, 110, 90}, {180, 120, 90}, {230, 180, 100}}}},
      {"out of prefecture from 2000-10-01", 2000, 10, 2, 1,
       {{{66, 66, 50}, {110, 110, 90}, {180, 120, 90}, {230, 180, 100}}}},
      {"in prefecture from 2000-10-01", 2000, 10, 2, 0,
       {{{66, 66, 50}, {101, 91, 68}, {131, 101, 68}, {131, 101, 68}}}},
  };
  struct BandClass {
    DistanceBand band;
    std::size_t kind;
  };
  const BandClass bands[] = {
      {DistanceBand::InArea, 0},    {DistanceBand::Adjacent, 0},  {DistanceBand::Upto30km, 1},
      {DistanceBand::Upto60km, 1},  {DistanceBand::Upto100km, 2}, {DistanceBand::Upto160km, 3},
      {DistanceBand::Upto170km, 3}, {DistanceBand::Beyond170km, 3}};
  const int hours[3] = {10, 20, 3};
  for (const auto& period : periods)
    for (const auto& [band, kind] : bands)
      for (int t = 0; t < 3; ++t)
        EXPECT_EQ(kddiCharge(at(period.year, period.month, period.day, hours[t]), secs(60), band,
                             period.outOfPrefecture),
                  10 * period.byClass[kind][t])
            << period.name << ", band " << int(band) << ", hour " << hours[t];
}

TEST(KddiCharge, ChangesHoldFromTheirFirstDay) {
  const KddiCase cases[] = {
      {"1999-09-23 late night", at(1999, 9, 23, 3), secs(60), DistanceBand::InArea, 1, 1000},
      {"1999-09-24 late night", at(1999, 9, 24, 3), secs(60), DistanceBand::InArea, 1, 500},
      {"2000-09-30 in prefecture", at(2000, 9, 30, 3), secs(60), DistanceBand::Upto30km, 0, 900},
      {"2000-10-01 in prefecture", at(2000, 10, 1, 3), secs(60), DistanceBand::Upto30km, 0, 680},
      {"2000-10-01 out of prefecture", at(2000, 10, 1, 3), secs(60), DistanceBand::Upto30km, 1,
       900},
  };
  expectCharges(std::begin(cases), std::end(cases));
}

TEST(KddiCharge, CallsOfWeeksAreHeldAtTheLargestCharge) {
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  // 2^31 tenths of a second are some 35.8 million steps of at least 0.50
  // yen: beyond the 32-bit range.
  EXPECT_EQ(kddiCharge(at(2000, 6, 14, 10), INT_MAX, DistanceBand::Beyond170km, 1), INT_MAX);
  EXPECT_TRUE(sink.messages.empty());
}

TEST(KddiCharge, AnEndThatCannotBeDatedIsReportedOnceForTheCall) {
  // From 2100-12-31 23:59:58 the end lies past the last day: one step never
  // moves the clock, two steps do.
  const struct {
    std::int32_t duration;
    std::int32_t charge;
  } cases[] = {{secs(3), 500}, {secs(12), 500}, {secs(600), 100 * 50}};
  for (const auto& c : cases) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_EQ(kddiCharge(at(2100, 12, 31, 23, 59, 58), c.duration, DistanceBand::InArea, 1), c.charge)
        << c.duration;
    EXPECT_EQ(sink.messages, std::vector<std::string>{sjis("検針日が設定できません(-_-)\n")}) << c.duration;
  }
}

}  // namespace
}  // namespace zelk
