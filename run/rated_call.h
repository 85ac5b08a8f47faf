// One call as the calculation run rated it: everything each carrier charges
// for it and what its month counts. The month table adds these up; the
// per-call list shows them one by one, so the two always agree.
#pragma once

#include <cstdint>
#include <optional>

#include "base/calendar.h"
#include "base/log_source.h"
#include "base/month_table.h"

namespace zelk {

struct RatedCall {
  const CallRecord& call;        // number after replacement; fee as the month counts it
  const NumberTotals& row;       // band and prefecture flag of the called number
  std::int32_t loggedFee = -1;   // 10-yen units the log recorded, -1 for none
  std::int32_t computedUnits = -1;  // NTT East/West units by the tariff; -1 when not asked for
  std::int32_t fee = 0;          // NTT East/West units the month counts (the logged fee unless =f)
  std::int32_t comUnits = 0;     // NTT Com units
  TimeSlot slot = TimeSlot::WeekdayDay;
  std::optional<std::int32_t> relayCharge{};  // TTNet/QTNet, tenths of a yen (=t, =q)
  std::optional<std::int32_t> relayReduced{}; // QTNet after the Kyushu reduction (=q)
  std::optional<std::int32_t> kddiCharge{};   // hundredths of a yen (=k)

  bool lateNight() const { return slot == TimeSlot::LateNight; }
};

}  // namespace zelk
