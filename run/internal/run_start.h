// What a run and a month replay set up alike once the configuration is read,
// in the same order, so that both show the same messages and fail alike.
#pragma once

#include "base/calendar.h"
#include "base/ma_lookup.h"
#include "base/ma_search.h"
#include "config/configuration.h"
#include "tariff/plan_settings.h"

namespace zelk {

struct Pricing {
  PlanSettings plans;
  MaLookup origin;  // the own MA, with the Telechoice target areas
};

// The plan settings and the own MA the months are priced with.
Pricing pricingOf(const Configuration& configuration, MaSearch& maSearch);

// The months a run keeps: =l, where 0 and more than 12 mean 12.
int keptMonthsOf(const Settings& settings);

// Under =#: the own and adjacent MAs' prefixes, as a message.
void showOriginMa(const Settings& settings, const MaLookup& origin);

}  // namespace zelk
