// The numbers of the flat-rate late-night plan, as zelk.cfg's "H=" lines give
// them; the plan comparison prices them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zelk {

// Up to two numbers of the flat-rate late-night plan.
struct TelehodaiNumbers {
  static constexpr std::uint8_t kInvalid = 255;
  std::array<std::string, 2> number;  // digits, up to 11 each
  std::uint8_t count = 0;             // in use, 0-2; kInvalid marks the list as invalid
  std::uint8_t adjacent = 0;          // 1 when an accepted number is in an adjacent MA
};

}  // namespace zelk
