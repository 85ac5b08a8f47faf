// Codes of settings that the program only compares. Their numbers are what
// the settings records have always held; zelk.cfg writes the options ("=t",
// "=q", "=10..."), never the numbers.
#pragma once

#include <cstdint>

namespace zelk {

// The regional carrier whose relay charges are priced.
enum class RegionalCarrier : std::int16_t {
  None = 0,
  Tokyo = 1,   // =t, 東京電話 (TTNet)
  Kyushu = 2,  // =q, 九州電話 (QTNet)
};

// The Telechoice plan and how many areas it allows: 10, 15 or 30 km.
enum class TelechoiceKind : std::int16_t {
  None = 0,
  Plan10 = 1,
  Plan15 = 2,
  Plan30 = 3,
};

}  // namespace zelk
