// The discount plans priced from the month's per-number sums: the normal
// charge, KDDI, Timeplus, the regional carriers, Telejoze, Telewides,
// Telechoice and Areaplus. Fees are in yen, sums in units of 10 yen unless a
// name says otherwise (relay: tenths of a yen, kddi: hundredths).
#include <array>
#include <span>

#include "base/ma_geography.h"
#include "tariff/plan_families.h"

namespace zelk::plans {

std::string PlanInputs::carrierName() const { return kyushu() ? "九州電話" : "東京電話"; }

void offerNormalCharge(const PlanInputs& in, PlanOffers& offers) {
  // The first three numbers within the prefecture (in table order) get the
  // reduced unit prices, 9 yen in the area and 7 yen beyond it, unless those
  // three make 150 units or more; every other unit costs 10 yen.
  std::uint32_t a = 0, b = 0, c = 0;
  int samePrefecture = 0;
  for (const Row& row : in.rows) {
    if (row.outOfPrefecture != 0)
      c += row.comUnitsTotal;
    else if (samePrefecture++ < 3)
      (inArea(row) ? a : b) += row.feeTotal;
    else
      c += row.feeTotal;
  }
  const std::uint32_t fee = a + b > 149 ? 10 * (a + b + c) : 9 * a + 7 * b + 10 * c;
  offers.first({ResultSlot::NormalFee, fee, truncated(fee * in.factor), "通常料金"});
}

void offerKddi(const PlanInputs& in, PlanOffers& offers) {
  const std::uint32_t k = in.sum(kddiTotal);  // hundredths of a yen
  const float f = in.factor;
  offers.offer({ResultSlot::KddiFee, k / 100, truncated(f * k * 0.01), "KDDI"});
  offers.offer({ResultSlot::KddiKakedokuFee, k * 9 / 1000, truncated(f * k * 0.009), "KDDIかけどくパック"});
}

void offerTimeplus(const PlanInputs& in, PlanOffers& offers) {
  const std::uint32_t tp = in.timeplusFixed();
  const float f = in.factor;
  const auto projected = [&](std::uint32_t fee) { return truncated((fee - tp) * f + tp); };
  const std::string base = in.isdn() ? "INSタイムプラス" : "タイムプラス";

  const std::uint32_t t = in.sum([](const Row& r) { return inArea(r) ? localPlan(r) : ordinary(r); });
  const std::uint32_t lp = in.sum(localPlan);
  const std::uint32_t f17 = 10 * t + tp;
  offers.offer({ResultSlot::TimeplusFee, f17, projected(f17), base});
  if (in.regional()) {
    const std::uint32_t r = in.sum([](const Row& row) { return inArea(row) ? 0 : relay(row); });
    const std::uint32_t f18 = 10 * lp + r / 10 + tp;
    offers.offer({ResultSlot::TimeplusWithCarrierFee, f18, projected(f18),
                  base + "(区域内)+" + in.carrierName() + "(その他)"});
  }
  if (in.kyushu()) {
    const std::uint32_t r2 = in.sum([](const Row& row) { return inArea(row) ? 0 : reduced(row); });
    const std::uint32_t f19 = 10 * lp + r2 / 10 + tp + 100;
    offers.offer({ResultSlot::TimeplusWithKyushuPlanFee, f19, projected(f19),
                  base + "(区域内)+九州うれしい値プラン(その他)"});
  }
  offers.count(ResultSlot::TimeplusNormalCount, in.sum([](const Row& r) { return r.localFeeLate + r.localFeeRest; }));
  offers.count(ResultSlot::TimeplusServiceCount, lp);
}

void offerRegionalCarrier(const PlanInputs& in, PlanOffers& offers) {
  const float f = in.factor;
  const std::uint32_t r = in.sum(relay);  // tenths of a yen
  offers.offer({ResultSlot::CarrierFee, r / 10, truncated(r * f * 0.1), in.carrierName()});
  if (in.kyushu()) {
    const std::uint32_t r3 = 1000 + in.sum(reduced);
    offers.offer({ResultSlot::KyushuPlanFee, r3 / 10, truncated(r3 * f * 0.1),
                  "九州電話 九州うれしい値プラン"});
  }
}

namespace {

// Telejoze: `cap` off-peak units are included in the fixed fee; beyond it a
// unit costs 8.5 yen, and beyond `upper` (none for the largest size) every
// off-peak unit costs 10 yen less `offset`. Peak units cost 10 yen.
struct TelejozeSize {
  ResultSlot slot;
  std::uint32_t cap;
  std::uint32_t upper;  // 0: none
  std::uint32_t fixed;
  std::uint32_t offset;
  const char* name;
};

constexpr std::array<TelejozeSize, 4> kTelejoze{{
    {ResultSlot::Telejoze2000Fee, 200, 300, 1750, 400, "テレジョーズ2000"},
    {ResultSlot::Telejoze3000Fee, 300, 500, 2600, 700, "テレジョーズ3000"},
    {ResultSlot::Telejoze5000Fee, 500, 800, 4300, 1150, "テレジョーズ5000"},
    {ResultSlot::Telejoze8000Fee, 800, 0, 6850, 0, "テレジョーズ8000"},
}};

std::uint32_t telejozeFee(const TelejozeSize& size, std::uint32_t w, std::uint32_t o) {
  if (w <= size.cap) return 10 * o + size.fixed;
  if (size.upper != 0 && w > size.upper) return 10 * w + 10 * o - size.offset;
  return truncated((w - size.cap) * 8.5) + 10 * o + size.fixed;
}

}  // namespace

void offerTelejoze(const PlanInputs& in, PlanOffers& offers) {
  const std::uint32_t w = in.sum([](const Row& r) { return r.comUnitsOffPeak; });
  const std::uint32_t o = in.sum([](const Row& r) { return r.peakCharge; });
  const std::uint32_t wProjected = truncated(w * in.factor);
  const std::uint32_t oProjected = truncated(o * in.factor);
  for (const TelejozeSize& size : kTelejoze) {
    offers.offer({size.slot, telejozeFee(size, w, o), telejozeFee(size, wProjected, oProjected), size.name});
  }
  offers.count(ResultSlot::TelejozeOffPeakCount, w);
}

namespace {

// Telewides: a discount of (100 − rate) % on the NTT Com units beyond the own
// MA for a fixed fee.
struct TelewidesVariant {
  const char* number;
  std::uint32_t rate;
  std::uint32_t fixed;
  ResultSlot plain;         // the plan alone
  ResultSlot withTimeplus;  // Timeplus in the own MA
  ResultSlot withCarrier;   // the regional carrier in the own MA
};

constexpr std::array<TelewidesVariant, 2> kTelewides{{
    {"10", 90, 550, ResultSlot::Telewides10Fee, ResultSlot::Telewides10WithTimeplusFee,
     ResultSlot::Telewides10WithCarrierFee},
    {"15", 85, 1150, ResultSlot::Telewides15Fee, ResultSlot::Telewides15WithTimeplusFee,
     ResultSlot::Telewides15WithCarrierFee},
}};

}  // namespace

void offerTelewides(const PlanInputs& in, PlanOffers& offers) {
  const float f = in.factor;
  const std::uint32_t x = in.sum([](const Row& r) { return inArea(r) ? 0 : r.comUnitsTotal; });
  const std::uint32_t l = in.sum([](const Row& r) { return inArea(r) ? r.feeTotal : 0; });
  const std::uint32_t lp = in.sum([](const Row& r) { return inArea(r) ? localPlan(r) : 0; });
  const std::uint32_t lr = in.sum([](const Row& r) { return inArea(r) ? relay(r) : 0; }) / 10;
  for (const TelewidesVariant& v : kTelewides) {
    const std::uint32_t d = x * v.rate / 10;
    const std::uint32_t fixed = v.fixed;
    const std::string name = std::string("テレワイズ") + v.number;

    const std::uint32_t plain = d + 10 * l + fixed;
    offers.offer({v.plain, plain, truncated((plain - fixed) * f) + fixed, name});

    const std::uint32_t withTimeplus = d + 10 * lp + fixed + 200;
    offers.offer({v.withTimeplus, withTimeplus,
                  truncated((withTimeplus - fixed - 200) * f) + fixed + 200,
                  name + "(隣接区域・区域外)+タイムプラス(区域内)"});

    if (in.regional()) {
      const std::uint32_t withCarrier = d + lr + fixed;
      offers.offer({v.withCarrier, withCarrier, truncated((withCarrier - fixed) * f) + fixed,
                    name + "(隣接区域・区域外)+" + in.carrierName() + "(区域内)"});
    }
  }
  offers.count(ResultSlot::TelewidesCount, x);
}

namespace {

// Telechoice: a discount of (100 − rate) % on the NTT Com units to the chosen
// target areas for a fixed fee. Kind 3 shares the slots of the 10 variant.
struct TelechoiceVariant {
  const char* number;
  std::uint32_t rate;
  std::uint32_t fixedAnalog;
  std::uint32_t fixedIsdn;
  ResultSlot plain;         // the plan alone
  ResultSlot withTimeplus;  // Timeplus in the own MA
  ResultSlot withCarrier;   // the regional carrier beyond the target areas
  ResultSlot withAreaplus;  // Areaplus in the adjacent MAs
};

constexpr TelechoiceVariant kTelechoice10{"10", 90, 100, 200,
                                          ResultSlot::Telechoice10Fee,
                                          ResultSlot::Telechoice10WithTimeplusFee,
                                          ResultSlot::Telechoice10WithCarrierFee,
                                          ResultSlot::Telechoice10WithAreaplusFee};
constexpr TelechoiceVariant kTelechoice15{"15", 85, 200, 400,
                                          ResultSlot::Telechoice15Fee,
                                          ResultSlot::Telechoice15WithTimeplusFee,
                                          ResultSlot::Telechoice15WithCarrierFee,
                                          ResultSlot::Telechoice15WithAreaplusFee};
constexpr TelechoiceVariant kTelechoice30{"30", 70, 100, 200,
                                          ResultSlot::Telechoice10Fee,
                                          ResultSlot::Telechoice10WithTimeplusFee,
                                          ResultSlot::Telechoice10WithCarrierFee,
                                          ResultSlot::Telechoice10WithAreaplusFee};
constexpr std::array<TelechoiceVariant, 2> kKind1{kTelechoice10, kTelechoice15};
constexpr std::array<TelechoiceVariant, 1> kKind2{kTelechoice15};
constexpr std::array<TelechoiceVariant, 1> kKind3{kTelechoice30};

std::span<const TelechoiceVariant> telechoiceVariants(TelechoiceKind kind) {
  switch (kind) {
    case TelechoiceKind::Plan10: return kKind1;
    case TelechoiceKind::Plan15: return kKind2;
    case TelechoiceKind::Plan30: return kKind3;
    default: return {};
  }
}

}  // namespace

void offerTelechoice(const PlanInputs& in, PlanOffers& offers) {
  const float f = in.factor;
  std::uint32_t g = 0, h = 0, rc = 0, tu = 0, au = 0;
  for (const Row& row : in.rows) {
    if (isTelechoiceTarget(row.number, in.origin)) {
      g += row.comUnitsTotal;
      continue;
    }
    // The rate outside the target areas takes the carrier opposite to the
    // ordinary choice.
    h += row.outOfPrefecture == 1 ? row.feeTotal : row.comUnitsTotal;
    rc += relay(row);
    tu += inArea(row) ? localPlan(row) : row.feeTotal;
    au += adjacent(row) ? adjLocal(row) : row.feeTotal;
  }
  const std::uint32_t tp = in.timeplusFixed();
  const std::uint32_t ap = in.areaplusFixed();
  for (const TelechoiceVariant& v : telechoiceVariants(in.settings.telechoiceKind)) {
    const std::uint32_t tc = in.isdn() ? v.fixedIsdn : v.fixedAnalog;
    const std::uint32_t discounted = g * v.rate / 10;
    const std::string name = std::string(in.isdn() ? "INSテレチョイス" : "テレチョイス") + v.number;

    const std::uint32_t plain = discounted + 10 * h + tc;
    offers.offer({v.plain, plain, truncated((plain - tc) * f + tc), name});

    const std::uint32_t withTimeplus = discounted + 10 * tu + tc + tp;
    offers.offer({v.withTimeplus, withTimeplus,
                  truncated((withTimeplus - tc - tp) * f + tp + tc),
                  name + (in.isdn() ? "(適用区域)+INSタイムプラス(区域内)"
                                    : "(適用区域)+タイムプラス(区域内)")});

    if (in.regional()) {
      const std::uint32_t withCarrier = (g * v.rate + rc) / 10 + tc;
      offers.offer({v.withCarrier, withCarrier, truncated((withCarrier - tc) * f + tc),
                    name + "(適用区域)+" + in.carrierName() + "(適用区域外)"});
    }

    const std::uint32_t withAreaplus = discounted + 10 * au + tc + ap;
    offers.offer({v.withAreaplus, withAreaplus,
                  truncated((withAreaplus - tc - ap) * f + ap + tc),
                  name + (in.isdn() ? "(適用区域)+INSエリアプラス(適用区域)"
                                    : "(適用区域)+エリアプラス(適用区域)")});
  }
  offers.count(ResultSlot::TelechoiceCount, g);
}

void offerAreaplus(const PlanInputs& in, PlanOffers& offers) {
  const float f = in.factor;
  const std::uint32_t ap = in.areaplusFixed();
  const std::string base = in.isdn() ? "INSエリアプラス" : "エリアプラス";

  const std::uint32_t f40 =
      10 * in.sum([](const Row& r) { return adjacent(r) ? adjLocal(r) : ordinary(r); }) + ap;
  offers.offer({ResultSlot::AreaplusFee, f40, truncated((f40 - ap) * f + ap), base});

  const std::uint32_t fixed41 = in.isdn() ? 700 : 400;
  const std::uint32_t f41 = 10 * in.sum([](const Row& r) {
    return adjacent(r) ? adjLocal(r) : inArea(r) ? localPlan(r) : ordinary(r);
  }) + fixed41;
  offers.offer({ResultSlot::AreaplusWithTimeplusFee, f41, truncated((f41 - fixed41) * f + fixed41),
                in.isdn() ? "INSエリアプラス(対象通話のみ)+INSタイムプラス(区域内)"
                          : "エリアプラス(対象通話のみ)+タイムプラス(区域内)"});

  // With a regional carrier the adjacent calls stay with Areaplus (in tenths
  // of a yen here) and everything else goes to the carrier.
  if (in.regional()) {
    const std::uint32_t s = in.sum([](const Row& r) { return adjacent(r) ? 100 * adjLocal(r) : relay(r); });
    offers.offer({ResultSlot::AreaplusWithCarrierFee, s / 10 + 200, truncated(s * f * 0.1 + 200),
                  base + "+" + in.carrierName()});
  }
  if (in.kyushu()) {
    const std::uint32_t s2 = in.sum([](const Row& r) { return adjacent(r) ? 100 * adjLocal(r) : reduced(r); });
    offers.offer({ResultSlot::AreaplusWithKyushuPlanFee, s2 / 10 + 300, truncated(s2 * f * 0.1 + 300),
                  base + "+九州うれしい値プラン"});
  }
  offers.count(ResultSlot::AreaplusNormalCount,
               in.sum([](const Row& r) { return r.adjacentFeeLate + r.adjacentFeeRest; }));
  offers.count(ResultSlot::AreaplusServiceCount, in.sum(adjLocal));
}

}  // namespace zelk::plans
