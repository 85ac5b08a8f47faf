#include "run/plan_settings_of.h"

namespace zelk {

PlanSettings planSettingsOf(const Settings& settings) {
  PlanSettings plan;
  plan.isdn = settings.isdn != 0;
  plan.regionalCarrier = settings.regionalCarrier;
  plan.kddi = settings.kddi != 0;
  plan.telechoiceKind = settings.telechoiceKind;
  plan.estimate = settings.estimate != 0;
  plan.meterDay = settings.meterDay;
  plan.hideDesignatedTelehodai = {settings.isHidden(6, 7), settings.isHidden(7, 7)};
  plan.hideFletsFee = settings.isHidden(11, 0);
  return plan;
}

}  // namespace zelk
