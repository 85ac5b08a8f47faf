// The 61 amounts of a month's result, by name: which plan's fee, which usage
// count. A slot's number is its place in the `--json` "slots" array and in the
// stored months, so the numbers below are fixed; every other file names the
// slot and never counts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zelk {

enum class ResultSlot : std::uint8_t {
  // Usage counts in units of 10 yen, shown beside the fees of their plans.
  TimeplusNormalCount = 0,        // Timeplus area: units at the ordinary price
  TimeplusServiceCount = 1,       // Timeplus area: units at the Timeplus price
  TelejozeOffPeakCount = 2,       // Telejoze: off-peak NTT Com units
  TelewidesCount = 3,             // Telewides: NTT Com units beyond the own MA
  TelechoiceCount = 4,            // Telechoice: NTT Com units to the target areas
  AreaplusNormalCount = 5,        // Areaplus area: units at the ordinary price
  AreaplusServiceCount = 6,       // Areaplus area: units at the Areaplus price
  IiplanDesignatedCount = 7,      // i-Iplan: units to the designated number
  // Telehodai's late-night units: to every target number, to the top two, and
  // to the user's designated numbers (all bits set: not counted). "OwnMa" is
  // the plan for the own MA, "Adjacent" the one that adds the adjacent MAs.
  TelehodaiOwnMaTargetCount = 8,
  TelehodaiOwnMaTopTwoCount = 9,
  TelehodaiOwnMaDesignatedCount = 10,
  TelehodaiAdjacentTargetCount = 11,
  TelehodaiAdjacentTopTwoCount = 12,
  TelehodaiAdjacentDesignatedCount = 13,

  // The normal charge, KDDI (001) and the Kakedoku pack.
  NormalFee = 14,
  KddiFee = 15,
  KddiKakedokuFee = 16,
  // Timeplus alone, with the regional carrier for the rest, with Kyushu's plan.
  TimeplusFee = 17,
  TimeplusWithCarrierFee = 18,
  TimeplusWithKyushuPlanFee = 19,
  // The regional carrier for every call, and Kyushu's plan.
  CarrierFee = 20,
  KyushuPlanFee = 21,
  // Telejoze, by size.
  Telejoze2000Fee = 22,
  Telejoze3000Fee = 23,
  Telejoze5000Fee = 24,
  Telejoze8000Fee = 25,
  // Telewides 10 and 15: alone, with Timeplus in the area, with the carrier.
  Telewides10Fee = 26,
  Telewides15Fee = 27,
  Telewides10WithTimeplusFee = 28,
  Telewides15WithTimeplusFee = 29,
  Telewides10WithCarrierFee = 30,
  Telewides15WithCarrierFee = 31,
  // Telechoice 10 (or 30, which takes the same slots) and 15: alone, with
  // Timeplus, with the carrier, with Areaplus.
  Telechoice10Fee = 32,
  Telechoice15Fee = 33,
  Telechoice10WithTimeplusFee = 34,
  Telechoice15WithTimeplusFee = 35,
  Telechoice10WithCarrierFee = 36,
  Telechoice15WithCarrierFee = 37,
  Telechoice10WithAreaplusFee = 38,
  Telechoice15WithAreaplusFee = 39,
  // Areaplus alone, with Timeplus, with the carrier, with Kyushu's plan.
  AreaplusFee = 40,
  AreaplusWithTimeplusFee = 41,
  AreaplusWithCarrierFee = 42,
  AreaplusWithKyushuPlanFee = 43,
  // i-Iplan 1200 and 3000: alone, with INS Areaplus, with INS Timeplus.
  Iiplan1200Fee = 44,
  Iiplan3000Fee = 45,
  Iiplan1200WithAreaplusFee = 46,
  Iiplan3000WithAreaplusFee = 47,
  Iiplan1200WithTimeplusFee = 48,
  Iiplan3000WithTimeplusFee = 49,
  // Telehodai for the own MA and with the adjacent MAs: alone, the rest with
  // Timeplus, with the carrier, with Kyushu's plan, with Areaplus.
  TelehodaiOwnMaFee = 50,
  TelehodaiAdjacentFee = 51,
  TelehodaiOwnMaWithTimeplusFee = 52,
  TelehodaiAdjacentWithTimeplusFee = 53,
  TelehodaiOwnMaWithCarrierFee = 54,
  TelehodaiAdjacentWithCarrierFee = 55,
  TelehodaiOwnMaWithKyushuPlanFee = 56,
  TelehodaiAdjacentWithKyushuPlanFee = 57,
  TelehodaiOwnMaWithAreaplusFee = 58,
  TelehodaiAdjacentWithAreaplusFee = 59,
  // Flets ISDN.
  FletsIsdnFee = 60,
};

inline constexpr std::size_t kResultSlots = 61;
static_assert(static_cast<std::size_t>(ResultSlot::FletsIsdnFee) + 1 == kResultSlots);

// The slot's place in the stored amounts and the `--json` output.
constexpr std::size_t slotNumber(ResultSlot slot) { return static_cast<std::size_t>(slot); }

// The amounts of one month, read and written by slot name. `values` is the
// whole array in slot order, for what goes through every slot.
struct ResultAmounts {
  std::array<std::uint32_t, kResultSlots> values{};

  std::uint32_t& operator[](ResultSlot slot) { return values[slotNumber(slot)]; }
  std::uint32_t operator[](ResultSlot slot) const { return values[slotNumber(slot)]; }
  bool operator==(const ResultAmounts&) const = default;
};

}  // namespace zelk
