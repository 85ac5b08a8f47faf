// The settings pricing a month reads, taken from zelk.cfg's records.
#pragma once

#include "config/settings.h"
#include "tariff/plan_settings.h"

namespace zelk {

PlanSettings planSettingsOf(const Settings& settings);

}  // namespace zelk
