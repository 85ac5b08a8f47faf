#include "tariff/plan_evaluation.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "tariff/plan_families.h"

namespace zelk {
namespace {

using plans::PlanInputs;

// The plan families in the order they are offered (which decides ties), each
// with the condition under which the line can take it.
struct PlanFamily {
  bool (*applies)(const PlanInputs&);
  void (*evaluate)(const PlanInputs&, PlanOffers&);
};

constexpr std::array<PlanFamily, 10> kFamilies{{
    {[](const PlanInputs& in) { return in.settings.kddi != 0; }, plans::offerKddi},
    {[](const PlanInputs&) { return true; }, plans::offerTimeplus},
    {[](const PlanInputs& in) { return in.regional(); }, plans::offerRegionalCarrier},
    {[](const PlanInputs& in) { return !in.isdn(); }, plans::offerTelejoze},
    {[](const PlanInputs& in) { return !in.isdn() && in.originKnown(); }, plans::offerTelewides},
    {[](const PlanInputs& in) { return in.settings.telechoiceKind != TelechoiceKind::None; }, plans::offerTelechoice},
    {[](const PlanInputs& in) { return in.hasAdjacent(); }, plans::offerAreaplus},
    {[](const PlanInputs& in) { return in.isdn(); }, plans::offerIIplan},
    {[](const PlanInputs&) { return true; }, plans::offerTelehodai},
    {[](const PlanInputs&) { return true; }, plans::offerFletsIsdn},
}};

void appendEntry(std::string& text, const std::string& number, std::uint32_t late,
                 std::uint32_t rest) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, ",%u,%u", static_cast<unsigned>(late),
                static_cast<unsigned>(rest));
  text += ',';
  text += number;
  text += buffer;
}

std::string countText(std::size_t rows) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%2d", static_cast<int>(rows));
  return buffer;
}

}  // namespace

std::string callListText(std::span<const NumberTotals> rows) {
  std::string text = countText(rows.size());
  for (std::size_t i : plans::lateNightOrder(rows)) {
    const NumberTotals& row = rows[i];
    appendEntry(text, row.number, row.feeLate,
                row.outOfPrefecture == 1 ? row.comUnitsRest : row.feeRest);
  }
  return text;
}

std::string projectedCallListText(std::span<const NumberTotals> rows, float factor) {
  std::string text = countText(rows.size());
  for (std::size_t i : plans::lateNightOrder(rows)) {
    const NumberTotals& row = rows[i];
    appendEntry(text, row.number, truncated(row.feeLate * factor), truncated(row.feeRest * factor));
  }
  return text;
}

BestPlan evaluatePlans(const MonthTable& table, const PlanSettings& settings, const MaLookup& origin,
                       const TelehodaiNumbers& telehodai, float factor, MonthResult& month,
                       MonthResult& estimate) {
  const auto used = std::min(table.used, table.rows.size());
  const std::span<const NumberTotals> rows = std::span(table.rows).first(used);
  const PlanInputs in{rows, settings, origin, telehodai, factor};
  PlanOffers offers(month, estimate, factor);

  plans::offerNormalCharge(in, offers);
  for (const PlanFamily& family : kFamilies)
    if (family.applies(in)) family.evaluate(in, offers);

  month.callList = callListText(rows);
  if (offers.projecting()) estimate.callList = projectedCallListText(rows, factor);
  return offers.best();
}

}  // namespace zelk
