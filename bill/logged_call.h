// A call of the logs as the bill is held against it: when it began, to whom,
// how long, and what the program estimates it costs, as the month counts it
// and under each carrier.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bill/bill_carrier.h"
#include "bill/bill_fields.h"
#include "config/settings.h"

namespace zelk {

struct LoggedCall {
  Moment start = 0;     // the beginning of the call, for every log format
  std::string number;   // after replacement, digits only
  int seconds = 0;      // rounded to whole seconds
  // 計上度数 × 10 yen: the units the month's normal charge adds up for the
  // call (NTT Com's for a number outside the prefecture), in hundredths.
  std::int64_t countedHundredths = 0;
  // Each carrier's estimate in hundredths of a yen; none for a carrier the
  // settings do not price.
  std::array<std::optional<std::int64_t>, kBillCarrierCount> carrierHundredths{};

  // The estimate held against a row: the carrier's where the row or the user
  // names one the settings price, the counted figure otherwise.
  std::int64_t estimate(std::optional<BillCarrier> carrier) const;
};

// True when a run with `settings` prices every call under `carrier`: NTT
// and NTT Com always, the regional carriers with =t or =q, KDDI with =k.
bool pricesCarrier(const Settings& settings, BillCarrier carrier);

}  // namespace zelk
