// One month's plan fees, counts, cheapest plan, title and call list, and the
// list of months the windows show.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tariff/result_slot.h"

namespace zelk {

inline constexpr std::size_t kMaxStoredMonths = 12;

struct MonthResult {
  ResultAmounts amounts;  // fees and counts by slot
  std::string name;       // the cheapest plan
  std::string title;      // "2000年 9月15日〆分" (CP932)
  std::string callList;   // "%2d" count, then ",number,late,rest" per row
};

struct MonthList {
  std::array<MonthResult, kMaxStoredMonths> months;
  MonthResult estimate;     // the projection of the current month (no title)
  float estimateFactor = 0.0f;  // of the month closed last; 0: not projected
  std::int16_t count = 0;   // blocks filled
};

}  // namespace zelk
