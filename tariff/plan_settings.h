// What pricing a month reads of the settings. The run fills it in from
// zelk.cfg and the option lines, so the tariff rules never see the file's
// records.
#pragma once

#include <array>
#include <cstdint>

#include "base/plan_codes.h"

namespace zelk {

struct PlanSettings {
  bool isdn = false;                 // =i
  RegionalCarrier regionalCarrier = RegionalCarrier::None;
  bool kddi = false;                 // =k
  TelechoiceKind telechoiceKind = TelechoiceKind::None;
  bool estimate = false;             // =e: project the current month
  std::int16_t meterDay = 1;         // meter-reading day + 1; 1 means month end
  // The hide switches the comparison itself obeys: "!67-" and "!77-" drop the
  // Telehodai plan on designated numbers in the own and the adjacent MA,
  // "!b0-" leaves the Flets fee out of the cheapest-plan choice.
  std::array<bool, 2> hideDesignatedTelehodai{};
  bool hideFletsFee = false;
};

}  // namespace zelk
