#include "tariff/plan_offers.h"

#include "platform/cp932.h"

namespace zelk {

void PlanOffers::write(const PlanOffer& plan) {
  if (plan.showFee) month_.amounts[plan.slot] = plan.fee;
  if (projecting()) estimate_.amounts[plan.slot] = plan.projected;
}

void PlanOffers::first(const PlanOffer& plan) {
  write(plan);
  best_.fee = plan.fee;
  best_.name = sjis(plan.name);
  if (projecting()) {
    best_.projectedFee = plan.projected;
    best_.projectedName = best_.name;
  }
}

void PlanOffers::offer(const PlanOffer& plan) {
  write(plan);
  if (plan.fee < best_.fee) {
    best_.fee = plan.fee;
    best_.name = sjis(plan.name);
  }
  if (projecting() && plan.projectionCompetes && plan.projected < best_.projectedFee) {
    best_.projectedFee = plan.projected;
    best_.projectedName = sjis(plan.name);
  }
}

void PlanOffers::count(ResultSlot slot, std::uint32_t value) {
  month_.amounts[slot] = value;
  if (projecting()) estimate_.amounts[slot] = truncated(value * factor_);
}

void PlanOffers::noCount(ResultSlot slot) {
  month_.amounts[slot] = kNoCount;
  if (projecting()) estimate_.amounts[slot] = kNoCount;
}

}  // namespace zelk
