#include "tariff/plan_offers.h"

#include "platform/cp932.h"

namespace zelk {

void PlanOffers::write(const PlanOffer& plan) {
  if (plan.showFee) month_.slots.at(plan.slot) = plan.fee;
  if (projecting()) estimate_.slots.at(plan.slot) = plan.projected;
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

void PlanOffers::count(std::size_t slot, std::uint32_t value) {
  month_.slots.at(slot) = value;
  if (projecting()) estimate_.slots.at(slot) = truncated(value * factor_);
}

void PlanOffers::noCount(std::size_t slot) {
  month_.slots.at(slot) = kNoCount;
  if (projecting()) estimate_.slots.at(slot) = kNoCount;
}

}  // namespace zelk
