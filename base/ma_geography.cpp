#include "base/ma_geography.h"

#include <cmath>
#include <string>
#include <vector>

namespace zelk {
namespace {

bool startsWithAny(std::string_view text, const std::vector<std::string>& prefixes) {
  for (const auto& prefix : prefixes)
    if (text.substr(0, prefix.size()) == prefix) return true;
  return false;
}

// Upper bounds of the distance bands in km; a distance on a bound belongs to
// the nearer band.
struct BandLimit {
  double km;
  DistanceBand band;
};
constexpr BandLimit kBandLimits[] = {
    {30.0, DistanceBand::Upto30km},   {60.0, DistanceBand::Upto60km},
    {100.0, DistanceBand::Upto100km}, {160.0, DistanceBand::Upto160km},
    {170.0, DistanceBand::Upto170km},
};

}  // namespace

DistanceBand originBand(std::string_view number, const MaLookup& origin) {
  if (number.empty() || number[0] != '0') return DistanceBand::InArea;
  std::string_view rest = number.substr(1);
  if (startsWithAny(rest, origin.prefixes)) return DistanceBand::InArea;
  if (startsWithAny(rest, origin.adjacentPrefixes)) return DistanceBand::Adjacent;
  return DistanceBand::Undetermined;
}

DistanceBand distanceBand(const MaLookup& called, int originX, int originY) {
  if (!called.found()) return DistanceBand::UnknownDistance;
  // One grid step is 2 km.
  const double dx = 2.0 * (static_cast<double>(originX) - called.x);
  const double dy = 2.0 * (static_cast<double>(originY) - called.y);
  const double km = std::sqrt(dx * dx + dy * dy);
  for (const auto& limit : kBandLimits)
    if (km <= limit.km) return limit.band;
  return DistanceBand::Beyond170km;
}

bool isTelechoiceTarget(std::string_view number, const MaLookup& origin) {
  return !number.empty() && number[0] == '0' && startsWithAny(number.substr(1), origin.areaList);
}

}  // namespace zelk
