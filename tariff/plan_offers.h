// The offer rule of the plan comparison: every candidate plan writes its fee
// into its slot of the month's result and, when the month is projected, its
// projected fee into the estimate block; the strictly cheapest of each kind
// is kept with its name. Ties keep the plan offered first, so the order in
// which the evaluators offer their plans is part of the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tariff/month_result.h"

namespace zelk {

// The cheapest plan of a month and the cheapest projected plan. Names are
// CP932 and kept whole.
struct BestPlan {
  std::uint32_t fee = 0;
  std::string name;
  std::uint32_t projectedFee = 0;
  std::string projectedName;
};

// "No count" in a count slot: all bits set. The window leaves such a row out.
inline constexpr std::uint32_t kNoCount = 0xFFFFFFFFu;

// The projection truncates toward zero into the 32-bit unsigned slot. The
// formulas never go below zero; a value past the slot's range saturates
// instead of being undefined.
inline std::uint32_t truncated(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<std::uint32_t>(value);
}

// One candidate plan. `name` is the UTF-8 source text of the plan's name.
struct PlanOffer {
  ResultSlot slot = ResultSlot::NormalFee;
  std::uint32_t fee = 0;
  std::uint32_t projected = 0;
  std::string name;
  bool showFee = true;            // false: the month's slot keeps its content
  bool projectionCompetes = true; // false: projected fee written, never the cheapest
};

class PlanOffers {
 public:
  PlanOffers(MonthResult& month, MonthResult& estimate, float factor)
      : month_(month), estimate_(estimate), factor_(factor) {}

  float factor() const { return factor_; }
  bool projecting() const { return factor_ != 0.0f; }
  const BestPlan& best() const { return best_; }

  // The month's first plan: it is the cheapest whatever its fee.
  void first(const PlanOffer& plan);
  // Any later plan: replaces the cheapest only when strictly cheaper.
  void offer(const PlanOffer& plan);

  // A usage count beside the fees; its projection is trunc(value × f).
  void count(ResultSlot slot, std::uint32_t value);
  // The "no count" marker, in the month and (when projecting) the estimate.
  void noCount(ResultSlot slot);

 private:
  void write(const PlanOffer& plan);

  MonthResult& month_;
  MonthResult& estimate_;
  float factor_;
  BestPlan best_;
};

}  // namespace zelk
