// What one call costs under each carrier: NTT East/West, NTT Com and the
// in-area plan in 10-yen units, TTNet and QTNet in tenths of a yen, KDDI in
// hundredths of a yen.
//
// Every function takes the call's normalised start moment and its duration in
// tenths of a second; the carrier functions also the called row's distance
// band and, where the tariff splits by it, the out-of-prefecture flag (0 same
// prefecture as the own line, otherwise another prefecture or unknown). A
// call is charged with the tariff of its own start date. A duration of 0 or
// less takes no unit.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/calendar.h"
#include "base/distance_band.h"
#include "tariff/running_clock.h"
#include "tariff/tariff_tables.h"

namespace zelk {

// Counts the units of a call: each unit takes the length of the tariff band
// in which it starts and keeps it when it runs into another band. Lengths are
// tenths of a second; a length with a tenths part (22.5 s) moves the clock by
// its whole seconds, and every second such unit by one more. A length of 0 or
// less ends the count.
std::int32_t countUnits(const CalendarTime& start, std::int32_t duration,
                        const UnitLengths& unitLengths);

// The same, from a clock standing at the start: a call priced under several
// carriers reads its start's tariff band once.
std::int32_t countUnits(const RunningClock& start, std::int32_t duration, const UnitLengths& unitLengths);

// NTT East/West units. Also asked with band InArea for adjacent calls, to get
// their units at the in-area rate.
std::int32_t nttUnits(const CalendarTime& start, std::int32_t duration, DistanceBand band);
std::int32_t nttUnits(const RunningClock& start, std::int32_t duration, DistanceBand band);

// NTT Com units.
std::int32_t comUnits(const CalendarTime& start, std::int32_t duration, DistanceBand band);
std::int32_t comUnits(const RunningClock& start, std::int32_t duration, DistanceBand band);

// Units at the in-area plan rate (for in-area calls).
std::int32_t localPlanUnits(const CalendarTime& start, std::int32_t duration);
std::int32_t localPlanUnits(const RunningClock& start, std::int32_t duration);

// TTNet charge, tenths of a yen.
std::int32_t ttnetCharge(const CalendarTime& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture);
std::int32_t ttnetCharge(const RunningClock& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture);

// QTNet charge, tenths of a yen.
std::int32_t qtnetCharge(const CalendarTime& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture);
std::int32_t qtnetCharge(const RunningClock& start, std::int32_t duration, DistanceBand band,
                         std::uint8_t outOfPrefecture);

// A QTNet charge (tenths of a yen) under the Kyushu reduction for the called
// number: 84 % rounded half up to a whole yen, for the numbers it covers.
std::int32_t kyushuReduced(std::int32_t qtnetCharge, std::string_view number);

// KDDI 001 charge, hundredths of a yen. A charge beyond the 32-bit range (a
// call of weeks) is held at the largest value.
std::int32_t kddiCharge(const CalendarTime& start, std::int32_t duration, DistanceBand band,
                        std::uint8_t outOfPrefecture);

}  // namespace zelk
