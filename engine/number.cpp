#include "engine/number.h"

namespace zelk {
namespace {

bool startsWithAny(std::string_view text, const std::vector<std::string>& prefixes) {
  for (const auto& prefix : prefixes)
    if (text.substr(0, prefix.size()) == prefix) return true;
  return false;
}

}  // namespace

DistanceBand originBand(std::string_view number, const MaLookup& origin) {
  if (number.empty() || number[0] != '0') return DistanceBand::InArea;
  std::string_view rest = number.substr(1);
  if (startsWithAny(rest, origin.prefixes)) return DistanceBand::InArea;
  if (startsWithAny(rest, origin.adjacentPrefixes)) return DistanceBand::Adjacent;
  return DistanceBand::Undetermined;
}

bool isTelechoiceTarget(std::string_view number, const MaLookup& origin) {
  return !number.empty() && number[0] == '0' && startsWithAny(number.substr(1), origin.areaList);
}

}  // namespace zelk
