// Where a number lies seen from the origin MA: its distance band by prefix or
// by the grid distance of the MAs, and whether a Telechoice plan covers it.
#pragma once

#include <string_view>

#include "base/distance_band.h"
#include "base/ma_lookup.h"

namespace zelk {

// InArea when the number has no leading 0 or begins (after the 0) with one of
// the origin's prefixes; Adjacent when it begins with an adjacent prefix;
// Undetermined otherwise.
DistanceBand originBand(std::string_view number, const MaLookup& origin);

// The band of the called MA by its distance from the origin's coordinates;
// UnknownDistance when no MA was found.
DistanceBand distanceBand(const MaLookup& called, int originX, int originY);

// True when the number begins with "0" and the rest with a prefix of the
// origin's Telechoice area list.
bool isTelechoiceTarget(std::string_view number, const MaLookup& origin);

}  // namespace zelk
