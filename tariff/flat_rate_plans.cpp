// The plans that charge a flat amount for the calls to the most-called
// numbers: i-Iplan (one in-area number), Telehodai (late-night calls to the
// top two numbers of the own or the own and adjacent MAs) and Flets ISDN (the
// most-used number, the dial-up access point, is free). Each first orders the
// rows to find those numbers.
#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include "tariff/plan_families.h"

namespace zelk::plans {

std::vector<std::size_t> orderRows(std::span<const Row> rows,
                                   const std::function<std::uint32_t(const Row&)>& key) {
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return key(rows[a]) > key(rows[b]); });
  return order;
}

std::vector<std::size_t> lateNightOrder(std::span<const Row> rows) {
  return orderRows(rows, [](const Row& r) { return r.feeLate; });
}

namespace {

// i-Iplan: the designated number's calls are included up to `cap` yen; beyond
// that they cost their price less `offset`. The combinations with an INS
// service add its 350 yen to the base and take it off the offset. `rest` is
// how the other numbers are charged.
enum class Rest { Ordinary, WithTimeplus, WithAreaplus };

struct IIplanOffer {
  ResultSlot slot;
  const char* name;
  std::uint32_t cap;
  std::uint32_t base;
  std::uint32_t offset;
  Rest rest;
};

// In the order they are offered, which decides ties.
constexpr std::array<IIplanOffer, 6> kIIplan{{
    {ResultSlot::Iiplan1200Fee, "ｉ・アイプラン1200", 3000, 1200, 1800, Rest::Ordinary},
    {ResultSlot::Iiplan1200WithTimeplusFee, "ｉ・アイプラン1200+INSタイムプラス", 3000, 1550, 1450, Rest::WithTimeplus},
    {ResultSlot::Iiplan1200WithAreaplusFee, "ｉ・アイプラン1200+INSエリアプラス", 3000, 1550, 1450, Rest::WithAreaplus},
    {ResultSlot::Iiplan3000Fee, "ｉ・アイプラン3000", 7500, 3000, 4500, Rest::Ordinary},
    {ResultSlot::Iiplan3000WithTimeplusFee, "ｉ・アイプラン3000+INSタイムプラス", 7500, 3350, 4150, Rest::WithTimeplus},
    {ResultSlot::Iiplan3000WithAreaplusFee, "ｉ・アイプラン3000+INSエリアプラス", 7500, 3350, 4150, Rest::WithAreaplus},
}};

}  // namespace

void offerIIplan(const PlanInputs& in, PlanOffers& offers) {
  const float f = in.factor;
  // The designated number is the most-called in-area number.
  std::optional<std::size_t> designated;
  for (std::size_t i : orderRows(in.rows, [](const Row& r) { return r.feeTotal; })) {
    if (inArea(in.rows[i])) {
      designated = i;
      break;
    }
  }
  const std::uint32_t d = designated ? in.rows[*designated].feeTotal : 0;
  std::uint32_t o = 0, oa = 0, ot = 0;
  for (std::size_t i = 0; i < in.rows.size(); ++i) {
    if (i == designated) continue;
    const Row& row = in.rows[i];
    o += ordinary(row);
    oa += adjacent(row) ? adjLocal(row) : ordinary(row);
    ot += inArea(row) ? localPlan(row) : ordinary(row);
  }
  const std::uint32_t h = truncated(10 * d * f);
  for (const IIplanOffer& plan : kIIplan) {
    if (plan.rest == Rest::WithAreaplus && !in.hasAdjacent()) continue;
    const std::uint32_t rest = plan.rest == Rest::Ordinary ? o : plan.rest == Rest::WithTimeplus ? ot : oa;
    const std::uint32_t fee = 10 * rest + (10 * d <= plan.cap ? plan.base : 10 * d - plan.offset);
    const std::uint32_t projected =
        truncated(10 * rest * f) + (h <= plan.cap ? plan.base : h - plan.offset);
    offers.offer({plan.slot, fee, projected, plan.name});
  }
  offers.count(ResultSlot::IiplanDesignatedCount, d);
}

namespace {

// Telehodai: late-night calls to the top two target numbers for a flat fee.
// Variant 0 targets the own MA; variant 1 also the adjacent MAs, with at most
// one in-area number among the top two.
struct TelehodaiVariant {
  std::size_t d;            // 0 or 1: the designated numbers' kind and hide switch
  bool adjacentTargets;
  int inAreaTops;           // in-area numbers allowed among the top two
  std::uint32_t fixedAnalog;
  std::uint32_t fixedIsdn;
  ResultSlot plain;              // the rest at the normal charge
  ResultSlot withTimeplus;       // the rest with Timeplus
  ResultSlot withCarrier;        // the rest with the regional carrier
  ResultSlot withKyushuPlan;     // the rest with Kyushu's plan
  ResultSlot withAreaplus;       // the rest with Areaplus
  ResultSlot targetCount;        // late-night units to target numbers
  ResultSlot topTwoCount;        // late-night units to the top two
  ResultSlot designatedCount;    // late-night units to the designated numbers
};

constexpr std::array<TelehodaiVariant, 2> kTelehodai{{
    {0, false, 2, 1800, 2400, ResultSlot::TelehodaiOwnMaFee, ResultSlot::TelehodaiOwnMaWithTimeplusFee,
     ResultSlot::TelehodaiOwnMaWithCarrierFee, ResultSlot::TelehodaiOwnMaWithKyushuPlanFee,
     ResultSlot::TelehodaiOwnMaWithAreaplusFee, ResultSlot::TelehodaiOwnMaTargetCount,
     ResultSlot::TelehodaiOwnMaTopTwoCount, ResultSlot::TelehodaiOwnMaDesignatedCount},
    {1, true, 1, 3600, 4800, ResultSlot::TelehodaiAdjacentFee, ResultSlot::TelehodaiAdjacentWithTimeplusFee,
     ResultSlot::TelehodaiAdjacentWithCarrierFee, ResultSlot::TelehodaiAdjacentWithKyushuPlanFee,
     ResultSlot::TelehodaiAdjacentWithAreaplusFee, ResultSlot::TelehodaiAdjacentTargetCount,
     ResultSlot::TelehodaiAdjacentTopTwoCount, ResultSlot::TelehodaiAdjacentDesignatedCount},
}};

struct TelehodaiSums {
  std::uint32_t target = 0;  // late-night units to target numbers
  std::uint32_t top = 0;     // late-night units to the top two
  std::uint32_t oth = 0;     // everything else at the normal charge
  std::uint32_t rc = 0;      // everything else with the regional carrier, tenths of a yen
  std::uint32_t rr = 0;      // the same under the Kyushu plan
  std::uint32_t tps = 0;     // everything else with Timeplus
  std::uint32_t aps = 0;     // everything else with Areaplus
};

TelehodaiSums telehodaiSums(std::span<const Row> rows, const std::vector<std::size_t>& order,
                            const TelehodaiVariant& v) {
  TelehodaiSums s;
  int tops = 0;
  int inAreaTops = 0;
  for (std::size_t i : order) {
    const Row& row = rows[i];
    const bool out = row.outOfPrefecture == 1;
    const bool target = inArea(row) || (v.adjacentTargets && adjacent(row));
    if (target) {
      const bool local = inArea(row);
      if (tops < 2 && (!local || inAreaTops < v.inAreaTops)) {
        ++tops;
        inAreaTops += local ? 1 : 0;
        s.top += row.feeLate;
      } else {
        s.oth += row.feeLate;
        s.rc += row.relayChargeLate;
        s.rr += row.relayReducedLate;
        s.tps += local ? row.localPlanUnitsLate : row.feeLate;
        s.aps += local ? row.feeLate : row.adjacentAsLocalUnitsLate;
      }
      s.target += row.feeLate;
      s.tps += local ? row.localPlanUnitsRest : row.feeRest;
      s.aps += local ? row.feeRest : row.adjacentAsLocalUnitsRest;
    } else {
      s.oth += out ? row.comUnitsLate : row.feeLate;
      s.tps += ordinary(row);
      s.aps += adjacent(row) ? adjLocal(row) : ordinary(row);
      s.rc += row.relayChargeLate;
      s.rr += row.relayReducedLate;
    }
    s.oth += out ? row.comUnitsRest : row.feeRest;
    s.rc += row.relayChargeRest;
    s.rr += row.relayReducedRest;
  }
  return s;
}

// The late-night units of the user's designated numbers, when the variant
// counts them: numbers given, the list valid, of this variant's kind, and the
// count not hidden.
std::optional<std::uint32_t> designatedUnits(const PlanInputs& in, const TelehodaiVariant& v) {
  const TelehodaiNumbers& numbers = in.telehodai;
  if (numbers.count == 0 || numbers.count == TelehodaiNumbers::kInvalid) return std::nullopt;
  if (numbers.adjacent != v.d || in.settings.hideDesignatedTelehodai[v.d])
    return std::nullopt;
  const std::size_t used = std::min<std::size_t>(numbers.count, numbers.number.size());
  std::uint32_t units = 0;
  for (const Row& row : in.rows) {
    const auto end = numbers.number.begin() + static_cast<std::ptrdiff_t>(used);
    if (std::find(numbers.number.begin(), end, row.number) != end) units += row.feeLate;
  }
  return units;
}

}  // namespace

void offerTelehodai(const PlanInputs& in, PlanOffers& offers) {
  const float f = in.factor;
  const std::uint32_t tp = in.timeplusFixed();
  const std::uint32_t ap = in.areaplusFixed();
  const std::string base = in.isdn() ? "INSﾃﾚﾎｰﾀﾞｲﾎｰﾑ" : "テレホーダイ";
  const std::string timeplus = in.isdn() ? "INSﾀｲﾑﾌﾟﾗｽ" : "タイムプラス";
  const std::string areaplus = in.isdn() ? "INSｴﾘｱﾌﾟﾗｽ" : "エリアプラス";
  const std::vector<std::size_t> order = lateNightOrder(in.rows);

  for (const TelehodaiVariant& v : kTelehodai) {
    if (v.adjacentTargets && !in.hasAdjacent()) continue;
    const TelehodaiSums s = telehodaiSums(in.rows, order, v);
    const std::uint32_t th = in.isdn() ? v.fixedIsdn : v.fixedAnalog;
    const std::uint32_t rcy = s.rc / 10;
    const std::uint32_t rry = s.rr / 10;

    offers.offer({v.plain, th + 10 * s.oth, truncated(s.oth * f * 10 + th), base});
    offers.offer({v.withTimeplus, th + 10 * s.tps + tp, truncated(10 * s.tps * f + th + tp),
                  base + "(上位2番号)+" + timeplus + "(その他)"});
    if (in.regional())
      offers.offer({v.withCarrier, th + rcy, truncated(rcy * f + th),
                    base + "(上位2番号)+" + in.carrierName() + "(その他)"});
    if (in.kyushu())
      offers.offer({v.withKyushuPlan, th + rry + 100, truncated(rry * f + th + 100),
                    base + "(上位2番号)+九州うれしい値プラン(その他)"});
    offers.offer({v.withAreaplus, th + 10 * s.aps + ap, truncated(10 * s.aps * f + th + ap),
                  base + "(上位2番号)+" + areaplus + "(対象区域)"});

    offers.count(v.targetCount, s.target);
    offers.count(v.topTwoCount, s.top);
    if (const auto units = designatedUnits(in, v))
      offers.count(v.designatedCount, *units);
    else
      offers.noCount(v.designatedCount);
  }
}

void offerFletsIsdn(const PlanInputs& in, PlanOffers& offers) {
  // The most-used number is the access point, whose calls the flat rate covers.
  const std::vector<std::size_t> order =
      orderRows(in.rows, [](const Row& r) { return r.feeLate + r.feeRest; });
  std::uint32_t others = 0;
  for (std::size_t i = 1; i < order.size(); ++i) others += ordinary(in.rows[order[i]]);
  const std::uint32_t fee = 10 * others + 4500;
  PlanOffer plan{ResultSlot::FletsIsdnFee, fee, truncated((fee - 4500) * in.factor + 4500), "フレッツ・Isdn"};
  plan.showFee = !in.settings.hideFletsFee;
  plan.projectionCompetes = false;
  offers.offer(plan);
}

}  // namespace zelk::plans
