// What every plan evaluator reads, the per-row shorthands of the plan
// formulas, and the evaluators themselves. Used by the plan comparison only.
//
// Arithmetic follows the tariff formulas as C evaluates them: sums and fees
// are 32-bit unsigned and divisions truncate; a projection multiplies by the
// 32-bit float factor, so "value × f + fixed" is a single-precision product
// and sum, while the literals 0.01, 0.009, 0.1 and 8.5 are doubles. The
// expressions below are written in the formulas' order and with these types
// on purpose; reordering them changes the projected yen.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/ma_lookup.h"
#include "base/month_table.h"
#include "base/telehodai_numbers.h"
#include "tariff/plan_offers.h"
#include "tariff/plan_settings.h"

namespace zelk::plans {

using Row = NumberTotals;

inline bool inArea(const Row& row) { return row.band == DistanceBand::InArea; }
inline bool adjacent(const Row& row) { return row.band == DistanceBand::Adjacent; }

// The charge of a row without any plan: NTT Com units beyond the prefecture.
inline std::uint32_t ordinary(const Row& row) {
  return row.outOfPrefecture == 1 ? row.comUnitsTotal : row.feeTotal;
}
inline std::uint32_t localPlan(const Row& row) {
  return row.localPlanUnitsLate + row.localPlanUnitsRest;
}
inline std::uint32_t adjLocal(const Row& row) {
  return row.adjacentAsLocalUnitsLate + row.adjacentAsLocalUnitsRest;
}
inline std::uint32_t relay(const Row& row) { return row.relayChargeLate + row.relayChargeRest; }
inline std::uint32_t reduced(const Row& row) {
  return row.relayReducedLate + row.relayReducedRest;
}
inline std::uint32_t kddiTotal(const Row& row) { return row.kddiChargeLate + row.kddiChargeRest; }

struct PlanInputs {
  std::span<const Row> rows;  // the month's rows in use, in table order
  const PlanSettings& settings;
  const MaLookup& origin;     // with the Telechoice area list
  const TelehodaiNumbers& telehodai;
  float factor;               // 0: the month is not projected

  bool isdn() const { return settings.isdn != 0; }
  bool regional() const { return settings.regionalCarrier != RegionalCarrier::None; }
  bool kyushu() const { return settings.regionalCarrier == RegionalCarrier::Kyushu; }
  bool originKnown() const { return !origin.prefixes.empty(); }
  bool hasAdjacent() const { return !origin.adjacentPrefixes.empty(); }

  // Fixed monthly charges of the two add-on services, in yen.
  std::uint32_t timeplusFixed() const { return isdn() ? 350 : 200; }
  std::uint32_t areaplusFixed() const { return isdn() ? 350 : 200; }

  // "東京電話" or "九州電話".
  std::string carrierName() const;

  // Σ over the rows of `term(row)`, in 32-bit unsigned arithmetic.
  template <class Term>
  std::uint32_t sum(Term term) const {
    std::uint32_t total = 0;
    for (const Row& row : rows) total += term(row);
    return total;
  }
};

// Row indices ordered by `key`, largest first; rows with equal keys keep
// table order (what a bubble sort swapping only on "strictly smaller" gives).
std::vector<std::size_t> orderRows(std::span<const Row> rows,
                                   const std::function<std::uint32_t(const Row&)>& key);

// The late-night order of the flat-rate plan and of the call list.
std::vector<std::size_t> lateNightOrder(std::span<const Row> rows);

// Discount plans, in the order the comparison runs them.
void offerNormalCharge(const PlanInputs& in, PlanOffers& offers);  // opens the month
void offerKddi(const PlanInputs& in, PlanOffers& offers);
void offerTimeplus(const PlanInputs& in, PlanOffers& offers);
void offerRegionalCarrier(const PlanInputs& in, PlanOffers& offers);
void offerTelejoze(const PlanInputs& in, PlanOffers& offers);
void offerTelewides(const PlanInputs& in, PlanOffers& offers);
void offerTelechoice(const PlanInputs& in, PlanOffers& offers);
void offerAreaplus(const PlanInputs& in, PlanOffers& offers);

// Flat-rate plans.
void offerIIplan(const PlanInputs& in, PlanOffers& offers);
void offerTelehodai(const PlanInputs& in, PlanOffers& offers);
void offerFletsIsdn(const PlanInputs& in, PlanOffers& offers);

}  // namespace zelk::plans
