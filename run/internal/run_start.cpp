#include "run/internal/run_start.h"

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "run/number.h"
#include "run/plan_settings_of.h"

namespace zelk {
namespace {

std::string joinedPrefixes(const std::vector<std::string>& prefixes) {
  std::string text;
  for (std::size_t i = 0; i < prefixes.size(); ++i) text += (i ? "/0" : "") + prefixes[i];
  return text;
}

}  // namespace

Pricing pricingOf(const Configuration& configuration, MaSearch& maSearch) {
  const Settings& settings = configuration.settings;
  Pricing pricing{planSettingsOf(settings), configuration.origin};
  if (settings.telechoiceKind != TelechoiceKind::None) registerTelechoiceAreas(settings, pricing.origin, maSearch);
  return pricing;
}

int keptMonthsOf(const Settings& settings) {
  return settings.latestMonths == 0 || settings.latestMonths > 12 ? 12 : settings.latestMonths;
}

void showOriginMa(const Settings& settings, const MaLookup& origin) {
  if (!settings.showOriginMa || origin.prefixes.empty()) return;
  std::string report = sjis("同一MA#  0") + joinedPrefixes(origin.prefixes) + "\n";
  if (!origin.adjacentPrefixes.empty()) report += sjis("隣接MA#  0") + joinedPrefixes(origin.adjacentPrefixes) + "\n";
  showMessage(report, MessageKind::Notice);
}

}  // namespace zelk
