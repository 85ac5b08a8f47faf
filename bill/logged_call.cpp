#include "bill/logged_call.h"

namespace zelk {

std::int64_t LoggedCall::estimate(std::optional<BillCarrier> carrier) const {
  if (carrier) {
    if (const auto& priced = carrierHundredths[static_cast<std::size_t>(*carrier)]) return *priced;
  }
  return countedHundredths;
}

bool pricesCarrier(const Settings& settings, BillCarrier carrier) {
  switch (carrier) {
    case BillCarrier::TTNet: return settings.regionalCarrier == RegionalCarrier::Tokyo;
    case BillCarrier::QTNet: return settings.regionalCarrier == RegionalCarrier::Kyushu;
    case BillCarrier::Kddi: return settings.kddi != 0;
    default: return true;
  }
}

}  // namespace zelk
